#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/first_start.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "history/history_streams.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

class tray_icon_test : public app_test {
 protected:
  void click(LPARAM mouse_message) { SendMessageA(main_window, tray_callback_message, 1, mouse_message); }
};

TEST_F(tray_icon_test, the_tip_holds_at_most_63_bytes_and_never_half_a_character) {
  start_app();
  const std::string x62(62, 'x');
  struct tip_case {
    std::string text, tip;
  };
  const tip_case cases[] = {
      {"abc", "abc"},
      {std::string(100, 'y'), std::string(63, 'y')},
      {x62 + "\x82\xa0", x62},                              // "あ" would straddle byte 63
      {x62.substr(1) + "\x82\xa0" + "z", x62.substr(1) + "\x82\xa0"},  // ends exactly at 63
      {x62 + "\xb1\xb2", x62 + "\xb1"},                     // half-width kana are one byte each
      {"", ""},
  };
  for (const tip_case& c : cases) {
    tray_icon.set_tip(c.text.c_str(), true);
    EXPECT_EQ(std::string(tray_icon.tip()), c.tip) << c.text;
    EXPECT_TRUE(tray_icon.added());
  }
  // A copied clip goes the same way, and a shorter one leaves no trace of the longer.
  copy_from_other_program(std::string(100, 'L'));
  EXPECT_EQ(std::string(tray_icon.tip()), std::string(63, 'L'));
  copy_from_other_program("short");
  EXPECT_STREQ(tray_icon.tip(), "short");
}

// The start tip names the program and where its menu is; the settings file the first
// run leaves makes the next start a quiet one.
TEST_F(tray_icon_test, the_start_tip_says_where_the_menu_is_and_the_first_start_ends_with_settings) {
  const bool first = is_first_start();
  EXPECT_TRUE(first);
  start_app();
  add_tray_icon(GetModuleHandleA(nullptr), first);
  EXPECT_STREQ(tray_icon.tip(), "どばねクリップ 右クリックでメニュー");
  EXPECT_NE(std::string(tray_icon.last_balloon()).find("メニュー→履歴保存する"), std::string::npos);
  copy_from_other_program("copied");
  EXPECT_STREQ(tray_icon.tip(), "copied");
  close_app();
  EXPECT_FALSE(is_first_start());
}

// The shell refuses the icon (it is not up yet, or restarting): the welcome waits for
// the shell to announce itself and is then given once.
TEST_F(tray_icon_test, the_first_start_welcome_is_offered_again_when_the_shell_refused_it) {
  start_app();
  tray_icon.remove();
  // The shell takes no second icon of the same window and number.
  NOTIFYICONDATAA taken{};
  taken.cbSize = NOTIFYICONDATAA_V1_SIZE;
  taken.hWnd = main_window;
  taken.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &taken));
  const int balloons = tray_icon.balloons_shown();
  add_tray_icon(GetModuleHandleA(nullptr), true);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons);
  Shell_NotifyIconA(NIM_DELETE, &taken);
  SendMessageA(main_window, taskbar_created_message(), 0, 0);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
  EXPECT_NE(std::string(tray_icon.last_balloon()).find("メニュー→履歴保存する"), std::string::npos);
  SendMessageA(main_window, taskbar_created_message(), 0, 0);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
}

// Other mouse messages, and a left click with an empty clip, do nothing.
TEST_F(tray_icon_test, a_left_click_stores_the_clip_every_time_whether_saving_is_on_or_off) {
  write_file("_clip.txt", numbered_records(1, 2));
  start_app();
  for (LPARAM message : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}) {
    set_current_clip(message == WM_LBUTTONDOWN ? "" : "tray clip");
    click(message);
  }
  std::string expected = numbered_records(1, 2);
  EXPECT_EQ(read_file("_clip.txt"), expected);
  EXPECT_FALSE(IsWindowVisible(main_window));
  EXPECT_EQ(history_count, 2);
  EXPECT_EQ(current_index, 3);
  int count = 2;
  for (int saving_command : {CMD_SAVE_HISTORY_OFF, CMD_SAVE_HISTORY_ON}) {
    command(saving_command);
    set_current_clip("tray clip");
    click(WM_LBUTTONDOWN);
    click(WM_LBUTTONDOWN);
    expected += "tray clip\a\r\ntray clip\a\r\n";
    count += 2;
    EXPECT_EQ(read_file("_clip.txt"), expected) << saving_command;
    EXPECT_EQ(history_count, count);
    EXPECT_EQ(current_index, count);
    const auto listed = menu_entries(history_menu);
    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed.back(), (std::pair<UINT, std::string>{1000u + count, "tray clip"}));
  }
}

TEST_F(tray_icon_test, a_right_click_opens_the_popup_and_keeps_the_window_hidden) {
  start_app();
  ASSERT_FALSE(IsWindowVisible(main_window));
  SetTimer(nullptr, 0, 100, close_popup_once_shown);
  click(WM_RBUTTONDOWN);
  EXPECT_TRUE(popup_seen);
  EXPECT_FALSE(IsWindowVisible(main_window));
}

NOTIFYICONDATAA probe_data(HWND owner, UINT id) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOVANE_CLIP));
  std::snprintf(data.szTip, sizeof data.szTip, "probe");
  return data;
}

TEST_F(tray_icon_test, shutdown_removes_the_icon) {
  start_app();
  close_app();
  EXPECT_FALSE(tray_icon.added());
  NOTIFYICONDATAA data = probe_data(main_window, 1);
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
}

// The exit handler is the object's end of life: it removes an icon still added, but a
// removed icon is not deleted again, so an icon that the shell holds under the same owner
// and id by then stays.
TEST_F(tray_icon_test, the_exit_handler_removes_an_icon_still_added_and_issues_no_second_delete) {
  for (bool removed_before : {false, true}) {
    SCOPED_TRACE(removed_before ? "removed before" : "still added");
    HWND owner = make_plain_window("probe owner");
    NOTIFYICONDATAA data = probe_data(owner, 9);
    {
      tray_icon_object icon;
      icon.set(owner, 9, 0, data.hIcon, "probe");
      ASSERT_TRUE(icon.add());
      if (removed_before) {
        ASSERT_TRUE(icon.remove());
        EXPECT_FALSE(icon.added());
        ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
      }
    }
    EXPECT_EQ(Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE, removed_before);
    Shell_NotifyIconA(NIM_DELETE, &data);
    DestroyWindow(owner);
  }
}

}  // namespace
