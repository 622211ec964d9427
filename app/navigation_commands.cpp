#include "app/navigation_commands.h"

#include <cstring>

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "app/ui_text.h"
#include "history/history_streams.h"
#include "history/moves.h"
#include "history/navigation.h"

int scroll_pos = 1;

namespace {
constexpr int page = 16;  // a page of 15 and then one line
const char not_found_note[] = "見つかりません";

int at_least_1(int value) { return value < 1 ? 1 : value; }
int at_most_count(int value) { return value > history_count ? history_count : value; }

// The scroll bar's 16-bit position wraps past 65535; the track position has all 32 bits.
int thumb_position(WPARAM wparam) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(scroll_bar, SB_CTL, &info);
  return LOWORD(info.nTrackPos) == HIWORD(wparam) ? info.nTrackPos : HIWORD(wparam);
}
}  // namespace

void clear_not_found_note() {
  forget_missed_letter();
  if (std::strcmp(status_note(), not_found_note) == 0) clear_status_note();
}

void step_back(WPARAM wparam) {
  move_back(wparam == '<');
  show_in_clip_edit(clip_text);
  InvalidateRect(main_window, nullptr, TRUE);
}

void step_forward(WPARAM wparam) {
  move_forward(wparam == '>');
  InvalidateRect(main_window, nullptr, TRUE);
}

void output_and_remember() {
  SetFocus(scroll_bar);
  output_clip(main_window);
  push_position(current_index);
}

void go_back(WPARAM wparam, LPARAM lparam) {
  // The first pop is the position on show, pushed by its own output.
  pop_position();
  current_index = pop_position() + 1;
  SendMessageW(main_window, WM_LBUTTONDOWN, wparam, lparam);
}

void search_history() {
  char wanted[clip_size];
  read_window_text(search_edit, wanted);
  if (!find_record_holding(wanted)) {
    set_status_note(not_found_note);
    return;
  }
  clear_not_found_note();
  SendMessageW(main_window, WM_KEYUP, 0, 0);
}

void type_character(WPARAM character) {
  switch (character) {
    case '\\': SendMessageW(main_window, WM_COMMAND, CMD_OPEN_FILE, 0); break;
    case ',':
    case '<': SendMessageW(main_window, WM_LBUTTONDOWN, character, 0); break;
    case '.':
    case '>': SendMessageW(main_window, WM_RBUTTONDOWN, character, 0); break;
    default: {
      // A Japanese letter is looked for by the first byte of its Shift_JIS form.
      const std::string typed = sjis_from_wide(std::wstring(1, static_cast<wchar_t>(character)));
      first_letter_search(static_cast<unsigned char>(typed.empty() ? 0 : typed[0]));
      break;
    }
  }
}

void first_letter_search(unsigned char byte) {
  if (find_record_starting_with(byte))
    clear_not_found_note();
  else
    set_status_note(not_found_note);
  InvalidateRect(main_window, nullptr, TRUE);
}

void scroll_history(WPARAM wparam) {
  // Steps start from the record on show, wherever other moves left it.
  scroll_pos = current_index;
  switch (LOWORD(wparam)) {
    case SB_LINELEFT: scroll_pos = at_least_1(scroll_pos - 1); break;
    case SB_LINERIGHT: scroll_pos = at_most_count(scroll_pos + 1); break;
    case SB_PAGELEFT: scroll_pos = at_least_1(scroll_pos - page); break;
    case SB_PAGERIGHT: scroll_pos = at_most_count(scroll_pos + page); break;
    case SB_THUMBPOSITION:
      SendMessageW(main_window, WM_KEYUP, 0, 0);
      scroll_pos = thumb_position(wparam);
      break;
    case SB_THUMBTRACK: scroll_pos = thumb_position(wparam); break;
    case SB_LEFT: scroll_pos = 1; break;
    case SB_RIGHT: scroll_pos = history_count; break;
    case SB_ENDSCROLL: SendMessageW(main_window, WM_KEYUP, 0, 0); break;
    default: break;
  }
  current_index = scroll_pos + 1;
  SendMessageW(main_window, WM_LBUTTONDOWN, ',', 0);
}
