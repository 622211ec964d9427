#include "app/save_notice.h"

#include <cstdio>
#include <cstring>

#include "app/status_note.h"
#include "app/tray_icon.h"

namespace {
const char failure_text[] = "保存できませんでした";
const char replaced_text[] = "ほかのプログラムが置き換えたか消したファイルを開き直しました";
const char clipboard_busy_text[] = "ほかのプログラムがクリップボードを使っていたため読み書きできませんでした";
const char set_aside_text[] = "壊れていたので使わずに別名で残しました";
constexpr int name_size = 260;

struct notice {
  bool failing;
  bool told;  // the shell took the balloon for this run of failures
  char file_name[name_size];
};
notice notices[kept_file_kinds];
// A set-aside balloon the shell did not take yet (during start-up).
char untold_set_aside[status_note_size];

void show_failure(const char* file_name) {
  char message[status_note_size];
  std::snprintf(message, sizeof message, "%s: %s", failure_text, file_name);
  set_status_note(message);
}

bool tell_failure(const char* file_name) {
  char balloon[status_note_size];
  std::snprintf(balloon, sizeof balloon, "%s\n%s", failure_text, file_name);
  return tray_icon.show_balloon(balloon, true) != 0;
}

void save_succeeded(notice& n) {
  if (!n.failing) return;
  n.failing = false;
  n.told = false;
  for (const notice& other : notices)
    if (other.failing) {
      show_failure(other.file_name);
      return;
    }
  // Another notice may have taken the status line meanwhile; that one stays.
  if (std::strncmp(status_note(), failure_text, sizeof failure_text - 1) == 0) clear_status_note();
}

class notices_listener : public save_listener {
 public:
  void save_done(kept_file kind, const char* file_name, bool saved) override {
    notice& n = notices[static_cast<int>(kind)];
    if (saved) {
      save_succeeded(n);
      return;
    }
    n.failing = true;
    std::snprintf(n.file_name, sizeof n.file_name, "%s", file_name);
    show_failure(file_name);
    if (!n.told) n.told = tell_failure(file_name);
  }
  void replaced_from_outside(kept_file, const char* file_name) override {
    char message[status_note_size];
    std::snprintf(message, sizeof message, "%s: %s", replaced_text, file_name);
    set_status_note(message);
    std::snprintf(message, sizeof message, "%s\n%s", replaced_text, file_name);
    tray_icon.show_balloon(message, true);
  }
  void set_aside(kept_file, const char* file_name, const char* kept_as) override {
    char message[status_note_size];
    std::snprintf(message, sizeof message, "%s: %s → %s", set_aside_text, file_name, kept_as);
    set_status_note(message);
    std::snprintf(message, sizeof message, "%s\n%s → %s", set_aside_text, file_name, kept_as);
    if (!tray_icon.show_balloon(message, true)) std::snprintf(untold_set_aside, sizeof untold_set_aside, "%s", message);
  }
};

notices_listener listener;
}  // namespace

save_listener& save_notices() { return listener; }

void note_clipboard_access(bool reached) {
  static bool failing = false;
  if (reached) {
    if (failing && std::strcmp(status_note(), clipboard_busy_text) == 0) clear_status_note();
    failing = false;
    return;
  }
  set_status_note(clipboard_busy_text);
  if (!failing) tray_icon.show_balloon(clipboard_busy_text, true);
  failing = true;
}

void show_pending_notices() {
  if (untold_set_aside[0] != '\0' && tray_icon.show_balloon(untold_set_aside, true)) untold_set_aside[0] = '\0';
  for (notice& n : notices)
    if (n.failing && !n.told) n.told = tell_failure(n.file_name);
}
