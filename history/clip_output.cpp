#include "history/clip_output.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/menu_label.h"
#include "history/clipboard_text.h"
#include "history/record_file.h"
#include "settings/ui_texts.h"

namespace {
char compose_buffer[compose_size];
char start_part[clip_size];
char end_part[clip_size];
// The last output of put_clip and the clip it wrapped, for as long as nothing else has
// been put on the clipboard by us since.
size_t composed_length;
bool composed_on_clipboard = false;
char wrapped_clip[clip_size];

void read_affix(int state, HWND window, char (&part)[clip_size]) {
  part[0] = '\0';
  if (state == 1 && window != nullptr) GetWindowTextA(window, part, clip_size);
  // A window closed by its own close box still counts as open, with an empty text.
  if (state == 1 && !IsWindow(window)) part[0] = '\0';
}
}  // namespace

void put_text_on_clipboard(HWND owner, const char* text, size_t length) {
  composed_on_clipboard = false;
  put_shift_jis_on_clipboard(owner, text, length);
}

void put_clip(HWND owner, int start, int end) {
  read_affix(start, start_window, start_part);
  read_affix(end, end_window, end_part);
  int length = std::snprintf(compose_buffer, sizeof compose_buffer, "%s%s%s", start_part, clip_text, end_part);
  if (length < 0) return;
  // Remembered first: the output's clipboard notification arrives nested inside it.
  std::memcpy(wrapped_clip, clip_text, std::strlen(clip_text) + 1);
  composed_length = std::strlen(compose_buffer);
  composed_on_clipboard = true;
  put_shift_jis_on_clipboard(owner, compose_buffer, composed_length);
}

const char* clip_wrapped_by(const char* block, size_t size) {
  if (!composed_on_clipboard || block == nullptr) return nullptr;
  const void* end = std::memchr(block, '\0', size);
  const size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - block) : size;
  if (length != composed_length || std::memcmp(block, compose_buffer, length) != 0) return nullptr;
  return wrapped_clip;
}

void set_title_from(const char* text) {
  char title[80];
  // 77 bytes less the label leaves 71; the clip part takes one less.
  const int budget = 77 - static_cast<int>(std::strlen(title_label)) - 1;
  char clip_part[80];
  make_display_text(text, budget > 0 ? static_cast<size_t>(budget) : 0, ' ', clip_part);
  std::snprintf(title, sizeof title, "%s [%s]", clip_part, title_label);
  SetWindowTextA(main_window, title);
}
