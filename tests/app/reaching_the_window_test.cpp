// The ways back to a program that runs hidden: every command that shows the main window
// (and the command that hides it again), and the tray icon after the shell restarts.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "settings/save_report.h"
#include "tests/win32/app_fixture.h"

namespace {

struct show_case {
  const char* label;
  bool from_note;
  int command;
};

class showing_the_main_window_test : public app_test, public ::testing::WithParamInterface<show_case> {
 protected:
  void show() {
    const show_case& c = GetParam();
    if (c.from_note)
      SendMessageA(open_note_window(), WM_COMMAND, c.command, 0);
    else
      command(c.command);
  }
  RECT client() {
    RECT r;
    GetClientRect(main_window, &r);
    return r;
  }
};

TEST_P(showing_the_main_window_test, gives_it_room_the_first_time_keeps_the_users_size_after_and_close_hides_it) {
  start_app();
  show();
  ASSERT_TRUE(IsWindowVisible(main_window));
  EXPECT_GE(client().bottom, 200) << "opened with room for the clip";

  SetWindowPos(main_window, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
  const RECT chosen = client();
  ShowWindow(main_window, SW_MINIMIZE);
  show();
  EXPECT_TRUE(IsWindowVisible(main_window));
  EXPECT_FALSE(IsIconic(main_window));
  EXPECT_EQ(client().right, chosen.right);
  EXPECT_EQ(client().bottom, chosen.bottom);
  command(CMD_CLOSE_WINDOW);
  EXPECT_FALSE(IsWindowVisible(main_window));
}

INSTANTIATE_TEST_SUITE_P(commands, showing_the_main_window_test,
                         ::testing::Values(show_case{"menu_open", false, CMD_OPEN_WINDOW},
                                           show_case{"note_main_window", true, CMD_MAIN_WINDOW},
                                           show_case{"note_set_search", true, CMD_SET_SEARCH}),
                         [](const ::testing::TestParamInfo<show_case>& info) {
                           return std::string(info.param.label);
                         });

using tray_icon_restart_test = app_test;

// A restarted shell holds no icons and says so to every top-level window; a failure told
// while it had none is told once it is back.
TEST_F(tray_icon_restart_test, the_icon_is_added_again_with_its_current_tip_and_untold_notices) {
  start_app();
  copy_from_other_program("latest clip");
  NOTIFYICONDATAA probe{};
  probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
  probe.hWnd = main_window;
  probe.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &probe));
  ASSERT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe));
  const int balloons = tray_icon.balloons_shown();
  report_save(false, kept_file::ring, "tmpclipsave.txt");
  EXPECT_EQ(tray_icon.balloons_shown(), balloons);

  SendMessageA(main_window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(tray_icon.added());
  EXPECT_STREQ(tray_icon.tip(), "latest clip");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the shell holds the icon again";
  EXPECT_TRUE(IsWindow(main_window));
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1);
  EXPECT_STREQ(tray_icon.last_balloon(), "保存できませんでした\ntmpclipsave.txt");
}

}  // namespace
