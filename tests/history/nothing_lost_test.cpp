// What was copied is kept: a clip taken while the open-file dialog is up, clips that
// make several records, writes that fail, and the desktop session ending.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "history/history_streams.h"
#include "history/record_file.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

using entries = std::vector<std::pair<UINT, std::string>>;

std::size_t write_all(const void* bytes, std::size_t length, std::FILE* file) {
  return std::fwrite(bytes, 1, length, file);
}
// A disk that is full: nothing reaches the file.
std::size_t write_none(const void*, std::size_t, std::FILE*) { return 0; }

class nothing_lost_test : public app_test {
 public:
  void copy_during_dialog(const std::string& text) { copy_from_other_program(text); }

 protected:
  void TearDown() override {
    record_write_function = write_all;
    app_test::TearDown();
  }
  std::string status_line() {
    char status[status_line_size];
    format_status_line(status, sizeof status);
    return status;
  }
};

nothing_lost_test* running_test;

// Copies a path while the dialog is up, as a user does to paste it there, then closes it.
void CALLBACK copy_then_cancel(HWND, UINT, UINT_PTR timer, DWORD) {
  static int ticks = 0;
  if (++ticks == 1) {
    running_test->copy_during_dialog("C:\\data\\notes.txt");
    return;
  }
  KillTimer(nullptr, timer);
  HWND dialog = FindWindowA(nullptr, "開きます");
  if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(nothing_lost_test, a_clip_copied_while_the_open_file_dialog_is_up_is_kept) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("_clip.txt", records_on_disk({"older"}));
  start_app();
  running_test = this;
  SetTimer(nullptr, 0, 500, copy_then_cancel);
  command(CMD_OPEN_FILE);
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"older", "C:\\data\\notes.txt"}));
  EXPECT_EQ(history_count, 2) << read_file("_clip.txt") << "|" << history_file;
  EXPECT_EQ(menu_entries(history_menu), (entries{{1001, "older"}, {1002, "C:\\data\\notes.txt"}}));
  command(1002);
  EXPECT_EQ(clipboard_text(), "C:\\data\\notes.txt");
}

TEST_F(nothing_lost_test, each_history_entry_puts_back_its_own_record_when_a_clip_makes_several) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\nmode=RETURN\r\n");
  start_app();
  copy_from_other_program("one\r\ntwo\r\nthree");
  copy_from_other_program("next");
  EXPECT_EQ(history_count, 4);
  EXPECT_EQ(menu_ids(history_menu, 1), (std::vector<UINT>{1001, 1004}));
  command(1001);
  EXPECT_EQ(clipboard_text(), "one\r");
  command(1004);
  EXPECT_EQ(clipboard_text(), "next");
}

TEST_F(nothing_lost_test, a_full_disk_tears_nothing_counts_nothing_and_says_so_once) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("_clip.txt", records_on_disk({"older"}));
  start_app();
  record_write_function = write_none;
  copy_from_other_program("lost 1");
  const int balloons = tray_icon.balloons_shown();
  EXPECT_GE(balloons, 1);
  EXPECT_NE(std::string(tray_icon.last_balloon()).find("保存できませんでした"), std::string::npos);
  copy_from_other_program("lost 2");
  command(41000);  // registering in a drawer fails the same way and adds no entry
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"older"}));
  EXPECT_EQ(history_count, 1);
  EXPECT_EQ(menu_ids(history_menu, 1), std::vector<UINT>{1001});
  EXPECT_EQ(GetMenuItemCount(drawer_menus[0]), 1);
  EXPECT_NE(status_line().find("保存できませんでした"), std::string::npos);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);  // the drawer file's own notice

  record_write_function = write_all;
  copy_from_other_program("kept");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"older", "kept"}));
  EXPECT_EQ(menu_ids(history_menu, 1), (std::vector<UINT>{1001, 1002}));
  EXPECT_EQ(status_line().find("保存できませんでした: _clip.txt"), std::string::npos);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
}

TEST_F(nothing_lost_test, a_settings_file_that_cannot_be_replaced_stays_whole) {
  write_file("dovane_clip.ini", history_on_settings());
  CreateDirectoryA("dovane_clip.ini.tmp", nullptr);  // the copy cannot be made
  start_app();
  command(CMD_SAVE_HISTORY_OFF);
  EXPECT_EQ(read_file("dovane_clip.ini"), history_on_settings());
  EXPECT_NE(std::string(tray_icon.last_balloon()).find("dovane_clip.ini"), std::string::npos);
}

TEST_F(nothing_lost_test, clips_and_settings_survive_the_end_of_the_desktop_session) {
  start_app();
  copy_from_other_program("first");
  copy_from_other_program("second");
  // The ring is on disk after every capture, even with history saving off.
  EXPECT_EQ(read_file("tmpclipsave.txt"), records_on_disk({"first", "second"}));
  command(CMD_SAVE_HISTORY_ON);
  EXPECT_EQ(ini_value("init", "save"), "history");
  copy_from_other_program("third");
  EXPECT_EQ(SendMessageA(main_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageA(main_window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(read_file("tmpclipsave.txt"), records_on_disk({"first", "second", "third"}));
  EXPECT_EQ(ini_value("init", "save"), "history");
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
