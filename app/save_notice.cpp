#include "app/save_notice.h"

#include <cstdio>
#include <cstring>

#include "app/status_note.h"
#include "app/tray_icon.h"

namespace {
const char failure_text[] = "保存できませんでした";
constexpr int tracked_files = 8;
constexpr int name_size = 260;
char failing[tracked_files][name_size];

int find(const char* file_name) {
  for (int i = 0; i < tracked_files; ++i)
    if (failing[i][0] != '\0' && std::strcmp(failing[i], file_name) == 0) return i;
  return -1;
}

void show_failure(const char* file_name) {
  char message[status_note_size];
  std::snprintf(message, sizeof message, "%s: %s", failure_text, file_name);
  set_status_note(message);
}
}  // namespace

void note_save(bool saved, const char* file_name) {
  const int at = find(file_name);
  if (saved) {
    if (at < 0) return;
    failing[at][0] = '\0';
    for (const char* other : failing)
      if (other[0] != '\0') {
        show_failure(other);
        return;
      }
    // Another notice may have taken the status line meanwhile; that one stays.
    if (std::strncmp(status_note(), failure_text, sizeof failure_text - 1) == 0) clear_status_note();
    return;
  }
  show_failure(file_name);
  if (at >= 0) return;
  for (char* slot : failing)
    if (slot[0] == '\0') {
      std::snprintf(slot, name_size, "%s", file_name);
      break;
    }
  char balloon[status_note_size];
  std::snprintf(balloon, sizeof balloon, "%s\n%s", failure_text, file_name);
  tray_icon.show_balloon(balloon, true);
}
