#include "history/navigation.h"

#include <cstring>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "history/clip_output.h"
#include "history/history_streams.h"
#include "history/moves.h"
#include "settings/settings_values.h"
#include "text/sjis_search.h"

int back_stack[back_stack_size] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
int scroll_pos = 1;

namespace {
constexpr int page = 16;  // a page of 15 and then one line

void push_position(int position) {
  std::memmove(back_stack + 1, back_stack, sizeof back_stack[0] * (back_stack_size - 1));
  back_stack[0] = position;
}

// Rotates rather than runs out: the popped entry goes to the bottom.
int pop_position() {
  const int popped = back_stack[0];
  std::memmove(back_stack, back_stack + 1, sizeof back_stack[0] * (back_stack_size - 1));
  back_stack[back_stack_size - 1] = popped;
  return popped;
}

int at_least_1(int value) { return value < 1 ? 1 : value; }
int at_most_count(int value) { return value > history_count ? history_count : value; }

const char not_found_note[] = "見つかりません";
// After a first-letter search that found nothing, the next letter starts from the top.
bool letter_search_missed = false;
// A search reads records into clip_text; one that finds nothing puts the clip back.
char clip_before_search[clip_size];

void keep_clip_before_search() { std::memcpy(clip_before_search, clip_text, sizeof clip_text); }

// Nothing found: the view, the clip and the clipboard stay as they were, and the reader
// goes back to just after the record on show.
void report_not_found(int shown) {
  move_mode = move_to_position;
  move_target = shown;
  restart_from_top();
  if (shown > 0) move();
  std::memcpy(clip_text, clip_before_search, sizeof clip_text);
  set_status_note(not_found_note);
}

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
  letter_search_missed = false;
  if (std::strcmp(status_note(), not_found_note) == 0) clear_status_note();
}

void step_back(WPARAM wparam) {
  move_back(wparam == '<');
  SetWindowTextA(clip_edit, clip_text);
  InvalidateRect(main_window, nullptr, TRUE);
}

void step_forward(WPARAM wparam) {
  move_forward(wparam == '>');
  InvalidateRect(main_window, nullptr, TRUE);
}

void output_and_remember() {
  SetFocus(scroll_bar);
  put_clip(main_window, start_state, end_state);
  push_position(current_index);
}

void go_back(WPARAM wparam, LPARAM lparam) {
  // The first pop is the position on show, pushed by its own output.
  pop_position();
  current_index = pop_position() + 1;
  SendMessageA(main_window, WM_LBUTTONDOWN, wparam, lparam);
}

void search_history() {
  char wanted[clip_size];
  GetWindowTextA(search_edit, wanted, sizeof wanted);
  const int shown = current_index;
  keep_clip_before_search();
  follow_reader();
  read_result result = read_record(history_reader, current_index);
  while (result == read_result::record && sjis_find(clip_text, wanted) == nullptr) {
    if (history_count < current_index) history_count = current_index;
    result = read_record(history_reader, current_index);
  }
  if (result != read_result::record) {
    report_not_found(shown);
    return;
  }
  clear_not_found_note();
  SendMessageA(main_window, WM_KEYUP, 0, 0);
}

void type_character(WPARAM character) {
  switch (character) {
    case '\\': SendMessageA(main_window, WM_COMMAND, CMD_OPEN_FILE, 0); break;
    case ',':
    case '<': SendMessageA(main_window, WM_LBUTTONDOWN, character, 0); break;
    case '.':
    case '>': SendMessageA(main_window, WM_RBUTTONDOWN, character, 0); break;
    default: first_letter_search(static_cast<unsigned char>(character & 0xFF)); break;
  }
}

void first_letter_search(unsigned char byte) {
  const int shown = current_index;
  keep_clip_before_search();
  if (history_reader.at_end() || letter_search_missed) restart_from_top();
  follow_reader();
  bool found = false;
  while (!found && read_record(history_reader, current_index) == read_result::record)
    found = static_cast<unsigned char>(clip_text[0]) == byte && clip_text[0] != '\0';
  if (found) {
    clear_not_found_note();
  } else {
    report_not_found(shown);
    letter_search_missed = true;
  }
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
      SendMessageA(main_window, WM_KEYUP, 0, 0);
      scroll_pos = thumb_position(wparam);
      break;
    case SB_THUMBTRACK: scroll_pos = thumb_position(wparam); break;
    case SB_LEFT: scroll_pos = 1; break;
    case SB_RIGHT: scroll_pos = history_count; break;
    case SB_ENDSCROLL: SendMessageA(main_window, WM_KEYUP, 0, 0); break;
    default: break;
  }
  current_index = scroll_pos + 1;
  SendMessageA(main_window, WM_LBUTTONDOWN, ',', 0);
}
