#include "app/status_note.h"

#include <windows.h>

#include "app/app_state.h"
#include "text/sjis.h"

namespace {
char note[status_note_size];

// The notice's lines push the clip edit down, so the window is laid out anew.
void repaint() {
  if (main_window == nullptr) return;
  RECT client;
  GetClientRect(main_window, &client);
  SendMessageA(main_window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
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
