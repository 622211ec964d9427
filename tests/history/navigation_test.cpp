#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "history/history_streams.h"
#include "history/navigation.h"
#include "app/navigation_commands.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

class navigation_test : public app_test {
 protected:
  void start_with(const std::string& history) {
    write_file("_clip.txt", history);
    start_app();
  }
  void back(WPARAM key = 0) { SendMessageA(main_window, WM_LBUTTONDOWN, key, 0); }
  void forward(WPARAM key = 0) { SendMessageA(main_window, WM_RBUTTONDOWN, key, 0); }
  void release() { SendMessageA(main_window, WM_LBUTTONUP, 0, 0); }
  void type(wchar_t character) { SendMessageW(main_window, WM_CHAR, character, 0); }
  void scroll(int code, int thumb = 0) {
    SendMessageA(main_window, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(scroll_bar));
  }
  // Shows record n the way a click does: one step back from the position after it.
  void show(int n) {
    current_index = n + 1;
    back();
  }
  std::string shown_in_edit() { return window_text(clip_edit); }
};

std::string r(int n) { return "r" + std::to_string(n); }

TEST_F(navigation_test, clicking_back_from_the_end_walks_down_and_wraps_to_the_newest) {
  start_with(numbered_records(1, 5));
  for (int expected : {5, 4, 3, 2, 1, 5}) {
    back();
    EXPECT_EQ(current_index, expected);
    EXPECT_EQ(shown_in_edit(), r(expected));
  }
  // Stepping forward past the newest shows the empty end, then the first.
  forward();
  EXPECT_EQ(current_index, 6);
  EXPECT_STREQ(clip_text, "");
  EXPECT_EQ(shown_in_edit(), "r5");  // a forward step leaves the edit alone
  forward();
  EXPECT_EQ(current_index, 1);
  EXPECT_STREQ(clip_text, "r1");
}

// Back 100 wraps to the newest when it would pass the first; forward 100 past the end
// goes on from the first record.
TEST_F(navigation_test, jumping_back_100_wraps_to_the_newest_when_it_would_pass_the_first) {
  start_with(numbered_records(1, 500));
  struct jump_case {
    int from, expected;
    char key;
  };
  for (const jump_case& c : {jump_case{30, 500, '<'}, jump_case{150, 50, '<'}, jump_case{101, 1, '<'},
                             jump_case{100, 500, '<'}, jump_case{450, 49, '>'}}) {
    show(c.from);
    if (c.key == '<') back('<');
    if (c.key == '>') forward('>');
    EXPECT_EQ(current_index, c.expected) << "from " << c.from;
    EXPECT_EQ(c.key == '<' ? shown_in_edit() : std::string(clip_text), r(c.expected)) << "from " << c.from;
  }
}

TEST_F(navigation_test, releasing_a_click_outputs_the_record_and_remembers_its_position) {
  start_with(numbered_records(1, 5));
  show(4);
  release();
  EXPECT_EQ(clipboard_text(), "r4");
  EXPECT_EQ(back_stack[0], 4);
  show(5);
  forward();
  release();
  EXPECT_EQ(clipboard_text(), "");  // the end position
  EXPECT_EQ(back_stack[0], 6);
  EXPECT_EQ(back_stack[1], 4);
}

TEST_F(navigation_test, back_command_returns_to_the_record_output_before_the_last) {
  start_with(numbered_records(1, 5));
  command(CMD_BACK);  // with nothing output yet: the first record
  EXPECT_EQ(current_index, 1);
  EXPECT_EQ(shown_in_edit(), "r1");
  show(2);
  release();
  show(4);
  release();
  command(CMD_BACK);
  EXPECT_EQ(current_index, 2);
  EXPECT_EQ(shown_in_edit(), "r2");
  EXPECT_EQ(clipboard_text(), "r4");  // back shows without output
}

TEST_F(navigation_test, the_remembered_positions_rotate_instead_of_running_out) {
  start_with(numbered_records(1, 5));
  show(3);
  release();
  show(2);
  release();
  show(5);
  release();
  command(CMD_BACK);
  EXPECT_EQ(shown_in_edit(), "r2");
  // The two popped positions go to the bottom; the next back skips record 3.
  EXPECT_EQ(back_stack[0], 3);
  EXPECT_EQ(back_stack[back_stack_size - 2], 5);
  EXPECT_EQ(back_stack[back_stack_size - 1], 2);
  command(CMD_BACK);
  EXPECT_EQ(shown_in_edit(), "r1");
}

TEST_F(navigation_test, search_finds_the_next_record_holding_the_text_and_outputs_it) {
  start_with(records_on_disk({"alpha", "beta", "gamma", "delta", "epsilon"}));
  show(1);
  SetWindowTextA(search_edit, "mm");
  command(CMD_SEARCH);
  EXPECT_EQ(current_index, 3);
  EXPECT_STREQ(clip_text, "gamma");
  EXPECT_EQ(clipboard_text(), "gamma");
  EXPECT_EQ(back_stack[0], 3);
}

TEST_F(navigation_test, right_after_start_up_reading_on_numbers_records_from_the_top) {
  // Start-up shows the end position while the reader stands before record 1.
  start_with(records_on_disk({"alpha", "beta", "gamma", "delta", "epsilon"}));
  forward();
  EXPECT_EQ(current_index, 1);
  EXPECT_STREQ(clip_text, "alpha");
  SetWindowTextA(search_edit, "ps");
  command(CMD_SEARCH);
  EXPECT_EQ(current_index, 5);
  EXPECT_EQ(history_count, 5);
  EXPECT_EQ(clipboard_text(), "epsilon");
}

TEST_F(navigation_test, search_matches_whole_characters_only) {
  // 東京 holds the bytes of 結 across its two characters.
  start_with(records_on_disk({"前", "東京", "結果"}));
  show(1);
  SetWindowTextA(search_edit, "結");
  command(CMD_SEARCH);
  EXPECT_EQ(current_index, 3);
  EXPECT_EQ(clipboard_text(), "結果");
}

TEST_F(navigation_test, a_search_that_finds_nothing_keeps_the_clipboard_and_the_view_and_says_so) {
  start_with(records_on_disk({"alpha", "beta", "gamma", "delta", "epsilon"}));
  show(2);
  copy_from_other_program("copied elsewhere");
  SetWindowTextA(search_edit, "zzz");
  command(CMD_SEARCH);
  EXPECT_EQ(clipboard_text(), "copied elsewhere");
  EXPECT_STREQ(clip_text, "copied elsewhere");
  EXPECT_EQ(shown_in_edit(), "copied elsewhere");
  EXPECT_EQ(current_index, 2);
  EXPECT_STREQ(status_note(), "見つかりません");
  // The reader stands after the record on show again, so the next search goes on from it.
  SetWindowTextA(search_edit, "l");
  command(CMD_SEARCH);
  EXPECT_EQ(current_index, 4);
  EXPECT_EQ(clipboard_text(), "delta");
  EXPECT_STREQ(status_note(), "");
}

TEST_F(navigation_test, typing_a_letter_cycles_through_the_records_that_begin_with_it) {
  start_with(records_on_disk({"apple", "banana", "cherry", "date", "egg", "fig", "coconut", "grape"}));
  show(1);
  struct expected_find {
    int index;
    const char* text;
  };
  // The third finds nothing and leaves coconut on show; the fourth starts from the top.
  for (const expected_find& e : {expected_find{3, "cherry"}, expected_find{7, "coconut"},
                                 expected_find{7, "coconut"}, expected_find{3, "cherry"}}) {
    type('c');
    EXPECT_EQ(current_index, e.index);
    EXPECT_STREQ(clip_text, e.text);
  }
  EXPECT_EQ(shown_in_edit(), "apple");  // the edit keeps what the click showed
}

TEST_F(navigation_test, first_letter_search_compares_bytes_from_0x80_up_as_unsigned) {
  // "あx", half-width "ｱｲ", "い": lead bytes 0x82, 0xB1, 0x82. A typed letter is looked
  // for by the first byte of its Shift_JIS form.
  start_with(records_on_disk({"abc", "\x82\xa0x", "\xb1\xb2", "\x82\xa2"}));
  show(1);
  type(L'\uFF71');
  EXPECT_EQ(current_index, 3);
  type(L'\u3044');
  EXPECT_EQ(current_index, 4);
  EXPECT_STREQ(clip_text, "\x82\xa2");
}

TEST_F(navigation_test, the_key_table_steps_jumps_and_searches) {
  start_with(records_on_disk({"one", "two", "three", "four", "five"}));
  struct key_case {
    char key;
    int index;
    const char* text;
  };
  // A forward jump that meets the end twice stops at the end.
  const key_case cases[] = {
      {',', 2, "two"}, {'<', 5, "five"}, {'.', 4, "four"}, {'>', 6, ""}, {'f', 4, "four"}, {'t', 3, "three"},
  };
  for (const key_case& c : cases) {
    show(3);
    type(static_cast<wchar_t>(c.key));
    EXPECT_EQ(current_index, c.index) << c.key;
    EXPECT_STREQ(clip_text, c.text) << c.key;
  }
}

struct scroll_case {
  int start, code, thumb, expected;
};

TEST_F(navigation_test, scroll_bar_actions_start_from_the_record_on_show) {
  start_with(numbered_records(1, 60));
  const scroll_case cases[] = {
      {1, SB_PAGERIGHT, 0, 17}, {50, SB_PAGERIGHT, 0, 60}, {20, SB_PAGELEFT, 0, 4}, {10, SB_PAGELEFT, 0, 1},
      {5, SB_LINERIGHT, 0, 6},  {60, SB_LINERIGHT, 0, 60}, {5, SB_LINELEFT, 0, 4},  {1, SB_LINELEFT, 0, 1},
      {9, SB_LEFT, 0, 1},       {9, SB_RIGHT, 0, 60},      {9, SB_THUMBTRACK, 25, 25}, {9, 99, 0, 9},
  };
  for (const scroll_case& c : cases) {
    show(c.start);
    scroll(c.code, c.thumb);
    EXPECT_EQ(current_index, c.expected) << "code " << c.code << " from " << c.start;
    EXPECT_EQ(shown_in_edit(), r(c.expected)) << "code " << c.code << " from " << c.start;
  }
  // After moves by clicks the steps go on from what the user sees.
  show(7);
  back();
  scroll(SB_LINELEFT);
  EXPECT_EQ(shown_in_edit(), "r5");
  show(28);
  forward();
  scroll(SB_PAGERIGHT);
  EXPECT_EQ(shown_in_edit(), "r45");
}

TEST_F(navigation_test, the_thumb_reaches_records_past_65535) {
  write_file("dovane_clip.ini", "[init]\r\nmax=100000\r\n");
  start_with(numbered_records(1, 70000));
  SetScrollRange(scroll_bar, SB_CTL, 1, 70000, FALSE);
  SetScrollPos(scroll_bar, SB_CTL, 66000, FALSE);
  // The message's own position holds only the low 16 bits of 66000.
  scroll(SB_THUMBTRACK, 66000 & 0xFFFF);
  EXPECT_EQ(current_index, 66000);
  EXPECT_EQ(shown_in_edit(), "r66000");
}

TEST_F(navigation_test, a_page_right_stops_at_the_newest_of_a_short_history) {
  start_with(numbered_records(1, 10));
  scroll(SB_PAGERIGHT);
  EXPECT_EQ(current_index, 10);
  EXPECT_EQ(shown_in_edit(), "r10");
}

TEST_F(navigation_test, letting_go_of_the_thumb_outputs_the_record_on_show_first) {
  start_with(numbered_records(1, 40));
  show(3);
  scroll(SB_THUMBPOSITION, 8);
  EXPECT_EQ(clipboard_text(), "r3");
  EXPECT_EQ(back_stack[0], 3);
  EXPECT_EQ(shown_in_edit(), "r8");
  scroll(SB_ENDSCROLL);
  EXPECT_EQ(clipboard_text(), "r8");
  EXPECT_EQ(shown_in_edit(), "r8");
}

TEST_F(navigation_test, choosing_a_history_entry_shows_outputs_and_remembers_it) {
  start_with(numbered_records(1, 5));
  command(1000 + 3);
  EXPECT_EQ(current_index, 3);
  EXPECT_EQ(shown_in_edit(), "r3");
  EXPECT_EQ(clipboard_text(), "r3");
  EXPECT_EQ(back_stack[0], 3);
}

TEST_F(navigation_test, choosing_a_reuse_entry_shows_and_outputs_it_without_a_new_reuse) {
  start_with(numbered_records(1, 5));
  command(11000 + 4);
  EXPECT_EQ(current_index, 4);
  EXPECT_EQ(clipboard_text(), "r4");
  EXPECT_EQ(read_file("_recycle.txt"), "");
}

// Answers the open-file dialog once it is up: picks file_to_pick, or cancels when empty.
std::string file_to_pick;

BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
  char window_class[16];
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::strcmp(window_class, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Answers once more while the dialog stays a second after the answer: on a busy machine it
// may show before it is ready to take one.
HWND answered_dialog = nullptr;
int ticks_since_answer = 0;

void CALLBACK answer_open_dialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;
  if (dialog == answered_dialog && ++ticks_since_answer < 5) return;
  answered_dialog = dialog;
  ticks_since_answer = 0;
  if (file_to_pick.empty()) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  HWND name_box = GetDlgItem(dialog, 0x480);  // the file name edit
  if (name_box == nullptr) name_box = GetDlgItem(dialog, 0x47c);
  // Without one it is a question the dialog asks, answered as the user would.
  if (name_box != nullptr) SetWindowTextA(name_box, file_to_pick.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// Runs an action that opens the open-file dialog, answering it as file_to_pick says.
template <typename action_type>
void with_open_dialog_answered(action_type action) {
  answered_dialog = nullptr;
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, answer_open_dialog);
  action();
  KillTimer(nullptr, timer);
}

TEST_F(navigation_test, typing_a_backslash_opens_the_picked_file_at_its_end) {
  write_file("other.txt", records_on_disk({"x", "y", "z"}));
  start_with(numbered_records(1, 5));
  // By its whole path: the dialog may start in the folder an earlier run picked from.
  char whole_path[MAX_PATH];
  ASSERT_GT(GetFullPathNameA("other.txt", MAX_PATH, whole_path, nullptr), 0u);
  file_to_pick = whole_path;
  with_open_dialog_answered([&] { type('\\'); });
  const std::string viewed = history_file;
  EXPECT_EQ(viewed.substr(viewed.size() - 9), "other.txt");
  EXPECT_STREQ(history_append_file, "_clip.txt");
  EXPECT_EQ(history_count, 3);
  EXPECT_EQ(current_index, 4);
  EXPECT_STREQ(clip_text, "");
  back();
  EXPECT_EQ(shown_in_edit(), "z");
}

TEST_F(navigation_test, a_cancelled_open_dialog_reads_the_same_file_through_again) {
  start_with(numbered_records(1, 5));
  file_to_pick.clear();
  with_open_dialog_answered([&] { command(CMD_OPEN_FILE); });
  EXPECT_STREQ(history_file, "_clip.txt");
  EXPECT_EQ(history_count, 5);
  EXPECT_EQ(current_index, 6);
}

}  // namespace
