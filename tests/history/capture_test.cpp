#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "history/capture.h"
#include "history/clip_output.h"
#include "history/history_streams.h"
#include "history/ring.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

class capture_test : public app_test {
 protected:
  void start_saving_history() {
    write_file("dovane_clip.ini", history_on_settings());
    start_app();
    ASSERT_EQ(history_saving, 1);
  }
  void start_without_history() {
    start_app();
    ASSERT_EQ(history_saving, 0);
  }
};

TEST_F(capture_test, the_same_text_twice_keeps_one_clip_and_a_b_a_keeps_three) {
  start_saving_history();
  copy_from_other_program("A");
  copy_from_other_program("A");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"A"}));
  copy_from_other_program("B");
  copy_from_other_program("A");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"A", "B", "A"}));
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), (std::vector<std::string>{"A", "B", "A"}));
  EXPECT_EQ(menu_labels(history_menu), (std::vector<std::string>{"A", "B", "A"}));
  EXPECT_EQ(history_count, 3);
  EXPECT_EQ(current_index, 3);
  // Alike in their first 256 bytes, different after them: two clips.
  copy_from_other_program(std::string(256, 'x') + "1");
  copy_from_other_program(std::string(256, 'x') + "2");
  EXPECT_EQ(history_count, 5);
}

TEST_F(capture_test, own_output_is_stored_nowhere_but_shown_everywhere) {
  start_saving_history();
  copy_from_other_program("from elsewhere");
  put_text_on_clipboard(main_window, "ours", 4);
  pump();
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"from elsewhere"}));
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{"from elsewhere"});
  EXPECT_STREQ(previous_clip, "from elsewhere");
  EXPECT_STREQ(clip_text, "ours");
  EXPECT_EQ(window_text(clip_edit), "ours");
  EXPECT_EQ(window_text(main_window), "ours [どばね]");
  EXPECT_STREQ(tray_icon.tip(), "ours");
}

TEST_F(capture_test, with_history_saving_off_only_the_ring_grows) {
  start_without_history();
  const int index_before = current_index;
  copy_from_other_program("ring only");
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{"ring only"});
  EXPECT_EQ(read_file("_clip.txt"), "");
  EXPECT_TRUE(menu_labels(history_menu).empty());
  EXPECT_EQ(history_count, 0);
  EXPECT_EQ(current_index, index_before);
  EXPECT_STREQ(clip_text, "ring only");
}

TEST_F(capture_test, a_long_clip_is_whole_in_the_history_the_ring_and_its_file_and_comes_back_whole) {
  start_saving_history();
  std::string long_clip;
  for (int i = 0; i < 5000; ++i) long_clip += static_cast<char>('a' + i % 26);
  copy_from_other_program(long_clip);
  copy_from_other_program("next");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({long_clip, "next"}));
  command(recent_ring[ring_prev_pos].menu_id);
  EXPECT_EQ(clipboard_text(), long_clip);
  close_app();
  EXPECT_EQ(read_file("tmpclipsave.txt"), records_on_disk({long_clip, "next"}));
}

TEST_F(capture_test, a_clip_past_20479_bytes_is_cut_there_everywhere_but_the_ring_and_says_so_once) {
  start_saving_history();
  const std::string huge(25000, 'x');
  copy_from_other_program(huge);
  EXPECT_EQ(std::strlen(clip_text), 20479u);
  EXPECT_EQ(std::strlen(previous_clip), 20479u);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({huge.substr(0, 20479)}));
  EXPECT_STREQ(tray_icon.last_balloon(), "20479バイトまで保存しました");
  // The same clip again, a short one, or our own output of the cut clip: no new notice.
  tray_icon.show_balloon("earlier notice", false);
  copy_from_other_program(huge);
  copy_from_other_program("short");
  command(7);
  EXPECT_STREQ(tray_icon.last_balloon(), "earlier notice");
  copy_from_other_program(std::string(20480, 'y'));
  EXPECT_STREQ(tray_icon.last_balloon(), "20479バイトまで保存しました");
}

TEST_F(capture_test, empty_or_missing_text_changes_nothing_but_the_title) {
  start_saving_history();
  copy_from_other_program("kept");
  copy_from_other_program("");
  EXPECT_STREQ(clip_text, "kept");
  HWND other = make_plain_window("image owner");
  ASSERT_TRUE(OpenClipboard(other));
  EmptyClipboard();
  const char pixels[] = "not text";
  SetClipboardData(CF_PRIVATEFIRST, global_copy(pixels, sizeof pixels));
  CloseClipboard();
  pump();
  DestroyWindow(other);
  EXPECT_STREQ(clip_text, "kept");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"kept"}));
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{"kept"});
}

TEST_F(capture_test, unterminated_clipboard_text_is_read_only_as_far_as_its_block) {
  start_saving_history();
  HWND other = make_plain_window("careless program");
  ASSERT_TRUE(OpenClipboard(other));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, global_copy("abcde", 5));
  CloseClipboard();
  pump();
  DestroyWindow(other);
  // Wine itself gives up the block's last byte for a terminator; Windows hands the
  // block over as it is. Either way nothing past the five bytes is taken.
  const std::string clip = clip_text;
  EXPECT_TRUE(clip == "abcde" || clip == "abcd") << clip;
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({clip}));
}

TEST_F(capture_test, with_the_start_affix_open_each_new_clip_comes_back_wrapped) {
  start_saving_history();
  start_window = CreateWindowExA(0, "edit", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  SetWindowTextA(start_window, "前略、");
  start_state = 1;
  copy_from_other_program("本文です");
  EXPECT_EQ(clipboard_text(), "前略、本文です");
  // The output comes back as the clip it wrapped.
  EXPECT_STREQ(clip_text, "本文です");
  EXPECT_EQ(window_text(clip_edit), "本文です");
  EXPECT_EQ(window_text(main_window), "本文です [どばね]");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"本文です"}));
  EXPECT_STREQ(recent_ring[ring_pos].text, "本文です");
  EXPECT_STREQ(previous_clip, "本文です");
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>{"本文です"});
  EXPECT_EQ(history_count, 1);
  start_state = -1;
  DestroyWindow(start_window);
  start_window = nullptr;
}

TEST_F(capture_test, affixes_wrap_the_bare_clip_whatever_the_order_of_toggles_and_captures) {
  start_saving_history();
  const auto toggle = [this](char which) {
    if (which == 'S') {
      command(0, BN_CLICKED, start_button);
      if (start_state == 1) SetWindowTextA(start_window, "Dear Tanaka-san,\r\n");
    } else {
      command(6, BN_CLICKED, end_button);
      if (end_state == 1) SetWindowTextA(end_window, "\r\nBest regards");
    }
  };
  const auto wrapped = [](const std::string& clip) {
    return std::string(start_state == 1 ? "Dear Tanaka-san,\r\n" : "") + clip +
           (end_state == 1 ? "\r\nBest regards" : "");
  };
  std::vector<std::string> captured{"clip 0"};
  copy_from_other_program(captured.back());
  // S and E press the start and end buttons (an opened window gets its text typed in),
  // C copies a new clip in another program. Every order starts with both closed.
  for (const char* order : {"SE", "ES", "SSEE", "SESE", "SEES", "SCEC", "ECSC", "CSECSE"}) {
    SCOPED_TRACE(order);
    for (const char* step = order; *step != '\0'; ++step) {
      if (*step == 'C') {
        captured.push_back("clip " + std::to_string(captured.size()));
        copy_from_other_program(captured.back());
      } else {
        toggle(*step);
      }
      command(7);  // the reset button puts the clip out again, with the affixes now on
      EXPECT_EQ(clipboard_text(), wrapped(captured.back())) << "after step " << (step - order);
      EXPECT_EQ(clip_text, captured.back());
      EXPECT_EQ(window_text(clip_edit), captured.back());
      EXPECT_EQ(window_text(main_window), captured.back() + " [どばね]");
    }
    if (start_state == 1) toggle('S');
    if (end_state == 1) toggle('E');
  }
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk(captured));
  EXPECT_EQ(menu_labels(history_menu), captured);
  // A history entry chosen with the affixes on is recorded for re-use as the record itself.
  toggle('S');
  toggle('E');
  command(1000 + 2);
  EXPECT_EQ(clipboard_text(), wrapped("clip 1"));
  EXPECT_EQ(read_file("_recycle.txt"), records_on_disk({"clip 1"}));
  EXPECT_EQ(menu_labels(recycle_menu), std::vector<std::string>{"clip 1"});
  toggle('S');
  toggle('E');
}

TEST_F(capture_test, labels_title_and_tip_show_one_line_of_whole_characters) {
  start_saving_history();
  std::string kanji;
  for (int k = 0; k < 40; ++k) kanji += "漢";
  struct label_case {
    std::string clip, label, title, tip;
  };
  const label_case cases[] = {
      {"一行目\r\n\t二行目", "一行目  .二行目", "一行目   二行目 [どばね]", "一行目   二行目"},
      {kanji, kanji.substr(0, 20), kanji.substr(0, 70) + " [どばね]", kanji.substr(0, 62)},
  };
  for (const label_case& c : cases) {
    copy_from_other_program(c.clip);
    EXPECT_EQ(menu_labels(ring_menu, first_ring_entry).back(), c.label);
    EXPECT_EQ(menu_labels(history_menu).back(), c.label);
    EXPECT_EQ(window_text(main_window), c.title);
    EXPECT_EQ(std::string(tray_icon.tip()), c.tip);
    EXPECT_EQ(previous_clip, c.clip) << "the clip itself is kept byte for byte";
  }
}

// Counts the clipboard notifications and chain changes it is passed, so forwarding can be seen.
int notifications_seen = 0;
int chain_changes_seen = 0;
LRESULT CALLBACK counting_viewer(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWCLIPBOARD) ++notifications_seen;
  if (message == WM_CHANGECBCHAIN) ++chain_changes_seen;
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_counting_viewer() {
  WNDCLASSA viewer_class{};
  viewer_class.lpfnWndProc = counting_viewer;
  viewer_class.hInstance = GetModuleHandleA(nullptr);
  viewer_class.lpszClassName = "dovane_test_counting_viewer";
  RegisterClassA(&viewer_class);
  return CreateWindowExA(0, "dovane_test_counting_viewer", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST_F(capture_test, notifications_reach_the_viewer_after_a_neighbour_leaves_the_chain) {
  HWND further = make_plain_window("viewer further down");
  HWND after_further = SetClipboardViewer(further);
  HWND last = make_counting_viewer();
  SetClipboardViewer(last);
  HWND leaving = make_plain_window("leaving viewer");
  SetClipboardViewer(leaving);
  empty_clipboard();
  start_app();
  ASSERT_EQ(next_viewer, leaving);
  ChangeClipboardChain(leaving, last);
  EXPECT_EQ(next_viewer, last);
  notifications_seen = 0;
  copy_from_other_program("passed along");
  EXPECT_EQ(notifications_seen, 1);
  // A change further down the chain goes on to the viewers it may concern.
  ChangeClipboardChain(further, after_further);
  EXPECT_EQ(chain_changes_seen, 1);
  close_app();
  EXPECT_EQ(GetClipboardViewer(), last) << "leaving puts the next viewer at the head";
  ChangeClipboardChain(last, after_further);
  DestroyWindow(leaving);
  DestroyWindow(last);
  DestroyWindow(further);
}

// A viewer after ours on a thread that has stopped answering.
struct hung_viewer {
  HWND window = nullptr;
  HWND after = nullptr;
  HANDLE joined = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool woke_by_itself = false;

  static DWORD WINAPI run(void* address) {
    auto* self = static_cast<hung_viewer*>(address);
    self->window = make_plain_window("hung viewer");
    self->after = SetClipboardViewer(self->window);
    SetEvent(self->joined);
    self->woke_by_itself = WaitForSingleObject(self->wake, 10000) == WAIT_TIMEOUT;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    ChangeClipboardChain(self->window, self->after);
    DestroyWindow(self->window);
    return 0;
  }
};

TEST_F(capture_test, a_hung_viewer_further_down_the_chain_does_not_hold_up_a_capture) {
  hung_viewer viewer;
  HANDLE thread = CreateThread(nullptr, 0, hung_viewer::run, &viewer, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(viewer.joined, 5000), WAIT_OBJECT_0);
  empty_clipboard();
  start_app();
  ASSERT_EQ(next_viewer, viewer.window);
  copy_from_other_program("while it hangs");
  EXPECT_EQ(std::string(clip_text), "while it hangs");
  SetEvent(viewer.wake);
  // Its leaving the chain is told to our window, which must answer meanwhile.
  while (WaitForSingleObject(thread, 50) == WAIT_TIMEOUT) pump();
  EXPECT_FALSE(viewer.woke_by_itself) << "the capture waited for the hung viewer";
  close_app();
  CloseHandle(thread);
  CloseHandle(viewer.joined);
  CloseHandle(viewer.wake);
}

// Another program's thread that holds the clipboard open: after changing it to text
// (when given), until released.
struct clipboard_holder {
  std::string text;
  HANDLE holding = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD hold_ms = INFINITE;
  HANDLE thread = nullptr;

  void start() { thread = CreateThread(nullptr, 0, run, this, 0, nullptr); }
  // Lets go; true once the thread has ended. Our window answers it meanwhile.
  bool let_go() {
    SetEvent(release);
    return WaitForSingleObject(thread, 10) != WAIT_TIMEOUT;
  }
  ~clipboard_holder() {
    for (HANDLE handle : {thread, holding, release})
      if (handle != nullptr) CloseHandle(handle);
  }

  static DWORD WINAPI run(void* address) {
    auto* self = static_cast<clipboard_holder*>(address);
    HWND window = make_plain_window("holding program");
    if (!self->text.empty() && OpenClipboard(window)) {
      EmptyClipboard();
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, self->text.size() + 1);
      std::memcpy(GlobalLock(memory), self->text.c_str(), self->text.size() + 1);
      GlobalUnlock(memory);
      SetClipboardData(CF_TEXT, memory);
      CloseClipboard();
    }
    OpenClipboard(window);
    SetEvent(self->holding);
    WaitForSingleObject(self->release, self->hold_ms);
    CloseClipboard();
    DestroyWindow(window);
    return 0;
  }
};

using busy_clipboard_test = capture_test;

// The program that copied keeps the clipboard open 50 ms longer; the notification is
// handled meanwhile, and the clip is still captured once it lets go.
TEST_F(busy_clipboard_test, a_clip_is_captured_when_its_program_holds_the_clipboard_a_moment_longer) {
  start_saving_history();
  clipboard_holder holder;
  holder.text = "held a moment";
  holder.hold_ms = 50;
  holder.start();
  ASSERT_EQ(WaitForSingleObject(holder.holding, 5000), WAIT_OBJECT_0);
  for (int n = 0; n < 100 && std::string(clip_text) != holder.text; ++n) {
    pump();
    Sleep(10);
  }
  while (!holder.let_go()) pump();
  EXPECT_EQ(std::string(clip_text), "held a moment");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"held a moment"}));
}

// An output the clipboard stays closed to is said once, however many follow, until one
// gets through; nothing else is put on the clipboard meanwhile.
TEST_F(busy_clipboard_test, an_output_to_a_busy_clipboard_is_said_once_until_one_gets_through) {
  write_file("_clip.txt", records_on_disk({"first", "second"}));
  start_saving_history();
  copy_from_other_program("before");
  const int balloons = tray_icon.balloons_shown();
  clipboard_holder holder;
  holder.start();
  ASSERT_EQ(WaitForSingleObject(holder.holding, 5000), WAIT_OBJECT_0);
  command(1001);
  command(1002);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
  EXPECT_NE(std::string(status_note()).find("クリップボード"), std::string::npos);
  while (!holder.let_go()) pump();
  EXPECT_EQ(clipboard_text(), "before");
  command(1001);
  EXPECT_EQ(clipboard_text(), "first");
  EXPECT_EQ(std::string(status_note()), "");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
}

TEST_F(capture_test, a_long_run_of_captures_keeps_every_clip) {
  start_saving_history();
  const std::string large(20000, 'L');
  copy_from_other_program(large);
  EXPECT_EQ(read_file("_clip.txt").size(), large.size() + 3);
  constexpr int captures = 1000;
  for (int i = 0; i < captures; ++i) copy_from_other_program("clip " + std::to_string(i));
  EXPECT_EQ(history_count, captures + 1);
  EXPECT_EQ(count_records("_clip.txt"), captures + 1);
}

}  // namespace
