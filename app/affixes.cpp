#include "app/affixes.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/ui_text.h"
#include "history/clip_output.h"
#include "history/record_file.h"
#include "settings/ui_texts.h"
#include "text/menu_label.h"

namespace {
char start_part[clip_size];
char end_part[clip_size];

void read_affix(int state, HWND window, char (&part)[clip_size]) {
  part[0] = '\0';
  if (state == 1 && window != nullptr) read_window_text(window, part);
  // A window closed by its own close box still counts as open, with an empty text.
  if (state == 1 && !IsWindow(window)) part[0] = '\0';
}
}  // namespace

void output_clip(HWND owner) {
  read_affix(start_state, start_window, start_part);
  read_affix(end_state, end_window, end_part);
  put_clip(owner, start_part, end_part);
}

bool affixes_in_use() { return start_state == 1 || end_state == 1; }

void set_title_from(const char* text) {
  // 77 bytes less the label leaves 71; the clip part takes one less.
  const int budget = 77 - static_cast<int>(std::strlen(title_label)) - 1;
  const std::wstring title = clip_display(text, budget > 0 ? static_cast<size_t>(budget) : 0, ' ') + L" [" +
                             wide_from_sjis(title_label) + L"]";
  SetWindowTextW(main_window, title.c_str());
}
