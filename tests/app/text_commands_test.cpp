#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/res/resource_ids.h"
#include "history/history_streams.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"
#include "app/text_commands.h"

namespace {

SYSTEMTIME fixed_time;
void read_fixed_time(SYSTEMTIME* now) { *now = fixed_time; }

class text_commands_test : public app_test {
 protected:
  void SetUp() override {
    app_test::SetUp();
    read_local_time = read_fixed_time;
  }
  void set_clock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    fixed_time = SYSTEMTIME{};
    fixed_time.wYear = year;
    fixed_time.wMonth = month;
    fixed_time.wDay = day;
    fixed_time.wHour = hour;
    fixed_time.wMinute = minute;
    fixed_time.wSecond = second;
  }
};

TEST_F(text_commands_test, conversions_change_only_the_clip_edit) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  start_app();
  copy_from_other_program("before");
  const std::string title = window_text(main_window);
  const std::string history = read_file("_clip.txt");
  struct conversion_case {
    int command;
    std::string input;
    std::string shown;
  };
  const conversion_case cases[] = {
      {CMD_DECODE_MAIL, "QUJD", "ABC"},
      {CMD_DECODE_MAIL, "Subject: =?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=", "Subject: こんにちは"},
      {CMD_TO_JIS, "\x82\xa0" "a", "\x1b$B$\"\x1b(Ba"},
      {CMD_TO_SJIS, "\x1b$B$\"\x1b(B\n", "\x82\xa0\r\n"},
  };
  for (const conversion_case& c : cases) {
    SetWindowTextA(clip_edit, c.input.c_str());
    command(c.command);
    EXPECT_EQ(window_text(clip_edit), c.shown) << c.command;
    EXPECT_EQ(std::string(clip_text), c.input) << "the clip keeps the text the edit had";
    EXPECT_EQ(clipboard_text(), "before");
    EXPECT_EQ(window_text(main_window), title);
    EXPECT_EQ(read_file("_clip.txt"), history);
  }
}

TEST_F(text_commands_test, stamps_become_the_clip_and_go_to_the_clipboard_wrapped_in_the_start_text) {
  start_app();
  set_clock(2004, 3, 5, 9, 7, 3);
  command(CMD_STAMP_DATE);
  EXPECT_EQ(clipboard_text(), "2004/03/05");
  command(CMD_STAMP_TIME);
  EXPECT_EQ(clipboard_text(), "09:07:03");
  set_clock(2004, 3, 5, 0, 0, 0);
  command(CMD_STAMP_TIME);
  EXPECT_EQ(clipboard_text(), "00:00:00");
  EXPECT_STREQ(clip_text, "00:00:00");

  // With the start window open, a stamp replaces the clip on show.
  set_current_clip("a clip the user was looking at");
  SendMessageA(main_window, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(start_button));
  SetWindowTextA(start_window, "Date: ");
  command(CMD_STAMP_DATE);
  EXPECT_EQ(clipboard_text(), "Date: 2004/03/05");
  EXPECT_STREQ(clip_text, "2004/03/05");
  EXPECT_EQ(read_file("_clip.txt"), "") << "stamps are not stored in the history";
}

}  // namespace
