// Every window is laid out for the DPI it is shown at. The suite runs these at the
// desktop's DPI; the end-to-end DPI script runs the first again at 120, 144 and 192 DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/dpi.h"
#include "app/find_window.h"
#include "app/res/resource_ids.h"
#include "app/text_frame.h"
#include "settings/ui_texts.h"
#include "tests/win32/app_fixture.h"

namespace {

// A font's metrics; no font is the system font.
TEXTMETRICA metrics_of(HGDIOBJ font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return metrics;
}

TEXTMETRICA font_of(HWND window) {
  return metrics_of(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
}

RECT client_of(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client;
}

// The children lie inside the client area and cover none of one another; the status line
// has its height between the scroll bar and the clip edit; every text shows whole.
void expect_main_window_whole() {
  const RECT client = client_of(main_window);
  const HWND children[] = {scroll_bar, start_button, end_button, reset_button, clip_edit, search_edit};
  for (HWND child : children) {
    const RECT r = rect_in_main_window(child);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom && r.left < r.right &&
                r.top < r.bottom);
    for (HWND other : children) {
      RECT both, o = rect_in_main_window(other);
      EXPECT_TRUE(other == child || !IntersectRect(&both, &r, &o)) << "two children overlap";
    }
  }
  EXPECT_GE(rect_in_main_window(clip_edit).top - rect_in_main_window(scroll_bar).bottom,
            metrics_of(view_font).tmHeight);
  for (HWND edit : {clip_edit, search_edit}) EXPECT_GE(client_of(edit).bottom, font_of(edit).tmHeight);
  expect_fits(start_button, start_on_label, "main window");
  expect_fits(end_button, end_on_label, "main window");
  expect_fits(reset_button, reset_label, "main window");
}

// Five lines of text under a menu bar on one line.
void expect_note_whole(HWND note) {
  HWND edit = text_frame_edit(note);
  RECT format{}, first{}, item{};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_GE(format.bottom - format.top, 5 * font_of(edit).tmHeight) << "the note shows fewer than five lines";
  GetMenuItemRect(note, GetMenu(note), 0, &first);
  for (int i = 1; i < GetMenuItemCount(GetMenu(note)); ++i) {
    GetMenuItemRect(note, GetMenu(note), static_cast<UINT>(i), &item);
    EXPECT_EQ(item.top, first.top) << "the note's menu wraps before item " << i;
  }
}

// The rows hold their text, which is as large as the DPI makes it; so does the edit.
void expect_find_window_whole(HWND find, int dpi) {
  HWND list = GetDlgItem(find, 3);
  const TEXTMETRICA rows = font_of(list);
  EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), rows.tmHeight);
  EXPECT_GE(rows.tmHeight - rows.tmInternalLeading, scaled(14, dpi) - 1) << "the rows keep the text of 96 DPI";
  EXPECT_GE(client_of(GetDlgItem(find, 1)).bottom, font_of(GetDlgItem(find, 1)).tmHeight);
}

using dpi_layout = app_test;

TEST_F(dpi_layout, every_window_is_whole_at_the_desktop_dpi) {
  start_app();
  command(CMD_OPEN_WINDOW);
  EXPECT_EQ(main_dpi, dpi_of_window(main_window));
  expect_main_window_whole();
  expect_note_whole(open_note_window());
  open_find_window();
  ASSERT_NE(find_window(), nullptr);
  expect_find_window_whole(find_window(), dpi_of_window(find_window()));
}

// A window moved to a monitor of twice the DPI takes the rectangle the system suggests
// and lays itself out with fonts made for that DPI; a place the user gave a window
// before keeps its size for the eye.
TEST_F(dpi_layout, a_move_to_another_dpi_lays_each_window_out_again) {
  start_app();
  command(CMD_OPEN_WINDOW);
  command(0);
  SetWindowPos(GetParent(start_window), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  SendMessageA(GetParent(start_window), WM_EXITSIZEMOVE, 0, 0);
  command(0);
  const int dpi = 2 * main_dpi;
  HWND note = open_note_window();
  open_find_window();
  HWND find = find_window();
  ASSERT_NE(find, nullptr);
  const struct {
    HWND window, text;
  } windows[] = {{main_window, clip_edit}, {note, text_frame_edit(note)}, {find, GetDlgItem(find, 3)}};
  for (const auto& w : windows) {
    const LONG before = font_of(w.text).tmHeight;
    RECT suggested{40, 30, 940, 730}, now;
    SendMessageA(w.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(w.window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << "," << now.right << "," << now.bottom;
    EXPECT_NEAR(font_of(w.text).tmHeight, 2 * before, 3);
  }
  expect_main_window_whole();
  expect_note_whole(note);
  expect_find_window_whole(find, dpi);
  command(0);
  RECT reopened;
  GetWindowRect(GetParent(start_window), &reopened);
  EXPECT_EQ(reopened.left, 100);
  EXPECT_EQ(reopened.top, 100);
  EXPECT_EQ(reopened.right - reopened.left, 600);
  EXPECT_EQ(reopened.bottom - reopened.top, 400);
}

}  // namespace
