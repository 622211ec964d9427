#include "app/status_note.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "text/sjis.h"

namespace {
char note[status_note_size];

// The notice's lines push the clip edit down, so the window is laid out anew.
void repaint() {
  if (main_window == nullptr) return;
  RECT client;
  GetClientRect(main_window, &client);
  SendMessageW(main_window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  InvalidateRect(main_window, nullptr, TRUE);
}
}  // namespace

void set_status_note(const char* text) {
  const size_t length = sjis_whole_prefix(text, sizeof note - 1);
  for (size_t i = 0; i < length; ++i) note[i] = text[i];
  note[length] = '\0';
  repaint();
}

void clear_status_note() {
  if (note[0] == '\0') return;
  note[0] = '\0';
  repaint();
}

const char* status_note() { return note; }

void note_unmappable_characters(int count) {
  static char said[status_note_size];
  if (count == 0) {
    if (said[0] != '\0' && std::strcmp(note, said) == 0) clear_status_note();
    said[0] = '\0';
    return;
  }
  std::snprintf(said, sizeof said, "Shift_JIS にない文字 %d 字は ? で保存しました", count);
  set_status_note(said);
}
