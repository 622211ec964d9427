#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/notice_lines.h"
#include "app/status_note.h"
#include "history/history_streams.h"
#include "tests/win32/app_fixture.h"

namespace {

using notice_lines_test = app_test;

// Whatever the status line holds, every notice is shown whole, left of the buttons, on
// lines between the status line and the clip; without one the clip goes back up.
TEST_F(notice_lines_test, a_notice_is_shown_whole_left_of_the_buttons_above_the_clip) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetWindowPos(main_window, nullptr, 0, 0, 500, 400, SWP_NOZORDER | SWP_NOMOVE);
  std::snprintf(history_file, file_name_size, "%s", "C:\\とても長いフォルダの名前\\もっと長い履歴ファイルの名前.txt");
  std::string path = "保存できませんでした: C:\\";
  for (int i = 0; i < 12; ++i) path += "フォルダ\\";
  const std::string notices[] = {"見つかりません", path + "_clip.txt"};
  const int line_height = char_height * height_zoom / 100;
  const RECT button = rect_in_main_window(start_button);
  for (const std::string& notice : notices) {
    SCOPED_TRACE(notice);
    set_status_note(notice.c_str());
    RECT client;
    GetClientRect(main_window, &client);
    HDC dc = GetDC(main_window);
    HGDIOBJ previous_font = SelectObject(dc, view_font);
    const std::vector<std::string> lines = break_notice(dc, status_note(), notice_width(client.right));
    std::string joined;
    for (const std::string& line : lines) {
      SIZE extent{};
      GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
      EXPECT_LE(extent.cx, button.left) << line;
      joined += line;
    }
    SelectObject(dc, previous_font);
    ReleaseDC(main_window, dc);
    EXPECT_EQ(joined, notice);
    EXPECT_GE(rect_in_main_window(clip_edit).top,
              scroll_bar_height + line_height * (1 + static_cast<int>(lines.size())));
  }
  clear_status_note();
  EXPECT_EQ(rect_in_main_window(clip_edit).top, scroll_bar_height + line_height);
}

// A line exactly as wide as the room is drawn whole on one line; a pixel less breaks it.
TEST_F(notice_lines_test, a_notice_that_fits_exactly_takes_one_line) {
  start_app();
  const char notice[] = "保存できませんでした: _clip.txt";
  HDC dc = GetDC(main_window);
  HGDIOBJ previous_font = SelectObject(dc, view_font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, notice, static_cast<int>(sizeof notice - 1), &extent);
  EXPECT_EQ(break_notice(dc, notice, extent.cx), std::vector<std::string>{notice});
  EXPECT_EQ(break_notice(dc, notice, extent.cx - 1).size(), 2u);
  SelectObject(dc, previous_font);
  ReleaseDC(main_window, dc);
}

}  // namespace
