#include "history/clip_output.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "history/record_file.h"
#include "settings/ui_texts.h"

namespace {
char compose_buffer[compose_size];
char start_part[clip_size];
char end_part[clip_size];

void read_affix(int state, HWND window, char (&part)[clip_size]) {
  part[0] = '\0';
  if (state == 1 && window != nullptr) GetWindowTextA(window, part, clip_size);
  // A window closed by its own close box still counts as open, with an empty text.
  if (state == 1 && !IsWindow(window)) part[0] = '\0';
}
}  // namespace

void put_text_on_clipboard(HWND owner, const char* text, size_t length) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, length + 1);
  if (memory == nullptr) return;
  if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, text, length);
    bytes[length] = '\0';
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, memory) == nullptr) GlobalFree(memory);
  CloseClipboard();
}

void put_clip(HWND owner, int start, int end) {
  read_affix(start, start_window, start_part);
  read_affix(end, end_window, end_part);
  int length = std::snprintf(compose_buffer, sizeof compose_buffer, "%s%s%s", start_part, clip_text, end_part);
  if (length < 0) return;
  put_text_on_clipboard(owner, compose_buffer, std::strlen(compose_buffer));
}

void set_title_from(const char* text) {
  char title[80];
  // 77 bytes less the label leaves 71; the clip part takes one less.
  const int budget = 77 - static_cast<int>(std::strlen(title_label)) - 1;
  std::snprintf(title, sizeof title, "%.*s [%s]", budget, text, title_label);
  SetWindowTextA(main_window, title);
}
