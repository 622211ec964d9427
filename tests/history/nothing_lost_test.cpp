// What was copied is kept: a clip taken while the open-file dialog is up, clips that
// make several records, and the desktop session ending.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/res/resource_ids.h"
#include "history/history_streams.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

using entries = std::vector<std::pair<UINT, std::string>>;

class nothing_lost_test : public app_test {
 public:
  void copy_during_dialog(const std::string& text) { copy_from_other_program(text); }
};

nothing_lost_test* running_test;
std::string folder_after_copy;

// Copies a path while the dialog is up, in the folder the user browsed to, as a user does
// to paste it there, then closes it.
void CALLBACK copy_then_cancel(HWND, UINT, UINT_PTR timer, DWORD) {
  static int ticks = 0;
  if (++ticks == 1) {
    CreateDirectoryA("browsed", nullptr);
    SetCurrentDirectoryA("browsed");
    running_test->copy_during_dialog("C:\\data\\notes.txt");
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    folder_after_copy = folder;
    SetCurrentDirectoryA("..");
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
  EXPECT_EQ(folder_after_copy.substr(folder_after_copy.size() - 8), "\\browsed") << "the dialog stays where it was";
  EXPECT_EQ(history_count, 2) << read_file("_clip.txt") << "|" << history_file;
  EXPECT_EQ(menu_entries(history_menu), (entries{{1001, "older"}, {1002, "C:\\data\\notes.txt"}}));
  command(1002);
  EXPECT_EQ(clipboard_text(), "C:\\data\\notes.txt");
}

// The dialog may leave the browsed folder current, as Windows does whatever its flags.
void CALLBACK browse_away_then_cancel(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  CreateDirectoryA("browsed", nullptr);
  SetCurrentDirectoryA("browsed");
  HWND dialog = FindWindowA(nullptr, "開きます");
  if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(nothing_lost_test, clips_after_the_open_file_dialog_go_to_the_data_folder_wherever_it_left_off) {
  write_file("dovane_clip.ini", history_on_settings());
  start_app();
  SetTimer(nullptr, 0, 500, browse_away_then_cancel);
  command(CMD_OPEN_FILE);
  copy_from_other_program("after the dialog");
  command(CMD_SAVE_HISTORY_OFF);
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  ASSERT_EQ(std::string(folder).find("browsed"), std::string::npos) << folder;
  EXPECT_FALSE(file_exists("browsed\\_clip.txt"));
  EXPECT_FALSE(file_exists("browsed\\tmpclipsave.txt"));
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"after the dialog"}));
  EXPECT_EQ(ini_value("init", "save"), "no-history");
  // Wine's dialog puts the directory back itself; Windows' need not.
  char data_folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof data_folder, data_folder);
  {
    const folder_may_move browsing;
    CreateDirectoryA("elsewhere", nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA("elsewhere"));
  }
  GetCurrentDirectoryA(sizeof folder, folder);
  EXPECT_STREQ(folder, data_folder);
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
