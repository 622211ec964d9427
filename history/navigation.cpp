#include "history/navigation.h"

#include <cstring>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "history/clip_output.h"
#include "history/history_streams.h"
#include "history/moves.h"
#include "settings/settings_values.h"

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
}  // namespace

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
  read_result result = read_record(history_reader, current_index);
  while (result == read_result::record && std::strstr(clip_text, wanted) == nullptr) {
    if (history_count < current_index) history_count = current_index;
    result = read_record(history_reader, current_index);
  }
  if (result == read_result::end_reached) ++current_index;
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
  if (history_reader.at_end()) restart_from_top();
  bool found = false;
  while (!found && read_record(history_reader, current_index) == read_result::record)
    found = static_cast<unsigned char>(clip_text[0]) == byte && clip_text[0] != '\0';
  if (!found) {
    restart_from_top();
    clip_text[0] = '\0';
  }
  InvalidateRect(main_window, nullptr, TRUE);
}

void scroll_history(WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case SB_LINELEFT: scroll_pos = at_least_1(scroll_pos - 1); break;
    case SB_LINERIGHT: scroll_pos = at_most_count(scroll_pos + 1); break;
    case SB_PAGELEFT: scroll_pos = at_least_1(scroll_pos - page); break;
    case SB_PAGERIGHT: scroll_pos = at_most_count(scroll_pos + page); break;
    case SB_THUMBPOSITION:
      SendMessageA(main_window, WM_KEYUP, 0, 0);
      scroll_pos = HIWORD(wparam);
      break;
    case SB_THUMBTRACK: scroll_pos = HIWORD(wparam); break;
    case SB_LEFT: scroll_pos = 1; break;
    case SB_RIGHT: scroll_pos = history_count; break;
    case SB_ENDSCROLL: SendMessageA(main_window, WM_KEYUP, 0, 0); break;
    default: break;
  }
  current_index = scroll_pos + 1;
  SendMessageA(main_window, WM_LBUTTONDOWN, ',', 0);
}
