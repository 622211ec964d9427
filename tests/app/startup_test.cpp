#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"
#include "history/history_streams.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

using startup_test = app_test;

TEST_F(startup_test, empty_folder_starts_hidden_with_an_empty_history) {
  start_app();
  EXPECT_FALSE(IsWindowVisible(main_window));
  EXPECT_EQ(history_count, 0);
  EXPECT_EQ(current_index, 1);
  EXPECT_TRUE(tray_icon.added());
  EXPECT_STREQ(tray_icon.tip(), "どばねクリップ 右クリックでメニュー");
  EXPECT_TRUE(file_exists("_clip.txt"));
}

TEST_F(startup_test, the_six_children_exist_with_their_ids_and_texts) {
  start_app();
  struct child {
    HWND window;
    const char* window_class;
    int id;
    const char* text;
  };
  const child children[] = {
      {reset_button, "Button", 7, "リセット"}, {start_button, "Button", 0, "前略"},
      {end_button, "Button", 6, "早々"},      {clip_edit, "Edit", 0, "クリップ[どばね]"},
      {search_edit, "Edit", 0, ""},          {scroll_bar, "ScrollBar", 2, ""},
  };
  for (const child& c : children) {
    ASSERT_TRUE(IsWindow(c.window)) << c.text;
    EXPECT_EQ(GetParent(c.window), main_window);
    EXPECT_EQ(GetDlgCtrlID(c.window), c.id) << c.text;
    char window_class[32];
    GetClassNameA(c.window, window_class, sizeof window_class);
    EXPECT_STRCASEEQ(window_class, c.window_class);
    EXPECT_EQ(window_text(c.window), c.text);
  }
}

TEST_F(startup_test, existing_history_is_counted_and_shown_at_its_end) {
  write_file("_clip.txt", "a\a\r\nb\a\r\nc\a\r\n");
  start_app();
  EXPECT_EQ(history_count, 3);
  EXPECT_EQ(current_index, 4);

}

TEST_F(startup_test, end_command_and_later_destruction_shut_down_once) {
  start_app();
  command(CMD_END);
  EXPECT_TRUE(file_exists("dovane_clip.ini"));
  EXPECT_FALSE(tray_icon.added());
  DeleteFileA("dovane_clip.ini");
  DestroyWindow(main_window);
  EXPECT_FALSE(file_exists("dovane_clip.ini"));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(startup_test, close_box_runs_the_shutdown_sequence) {
  start_app();
  SendMessageA(main_window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main_window));
  EXPECT_TRUE(file_exists("dovane_clip.ini"));
  EXPECT_FALSE(tray_icon.added());
}

TEST_F(startup_test, focus_on_the_main_window_goes_to_the_scroll_bar) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetFocus(clip_edit);
  SetFocus(main_window);
  EXPECT_EQ(GetFocus(), scroll_bar);
}

}  // namespace
