// Every window is laid out for the DPI it is shown at. The suite runs these at the
// desktop's DPI; the end-to-end DPI script runs the first again at 120, 144 and 192 DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/dpi.h"
#include "app/find_window.h"
#include "app/res/resource_ids.h"
#include "app/text_frame.h"
#include "settings/ui_texts.h"
#include "tests/win32/app_fixture.h"

namespace {

constexpr int find_edit_id = 1;
constexpr int find_list_id = 3;

TEXTMETRICA metrics_of(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return metrics;
}

int line_height(HWND window) {
  return metrics_of(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))).tmHeight;
}

int client_height(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client.bottom;
}

// The children lie inside the client area and cover none of one another; the status line
// has its height between the scroll bar and the clip edit; every text shows whole.
void expect_main_window_whole() {
  RECT client;
  GetClientRect(main_window, &client);
  const std::vector<HWND> children = {scroll_bar, start_button, end_button, reset_button, clip_edit, search_edit};
  for (size_t i = 0; i < children.size(); ++i) {
    const RECT r = rect_in_main_window(children[i]);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom && r.left < r.right &&
                r.top < r.bottom)
        << "child " << i << " at " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    for (size_t j = i + 1; j < children.size(); ++j) {
      RECT both;
      const RECT other = rect_in_main_window(children[j]);
      EXPECT_FALSE(IntersectRect(&both, &r, &other)) << "children " << i << " and " << j << " overlap";
    }
  }
  EXPECT_GE(rect_in_main_window(clip_edit).top - rect_in_main_window(scroll_bar).bottom,
            metrics_of(view_font).tmHeight);
  for (HWND edit : {clip_edit, search_edit}) EXPECT_GE(client_height(edit), line_height(edit));
  const struct {
    HWND button;
    const char* label;
  } buttons[] = {{start_button, start_on_label}, {end_button, end_on_label}, {reset_button, reset_label}};
  for (const auto& b : buttons) expect_fits(b.button, b.label, "main window");
}

// Five lines of text under a menu bar on one line.
void expect_note_whole(HWND note) {
  HWND edit = text_frame_edit(note);
  RECT format{};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_GE(format.bottom - format.top, 5 * line_height(edit)) << "the note shows fewer than five lines";
  HMENU menu = GetMenu(note);
  RECT first{}, item{};
  GetMenuItemRect(note, menu, 0, &first);
  for (int i = 1; i < GetMenuItemCount(menu); ++i) {
    GetMenuItemRect(note, menu, static_cast<UINT>(i), &item);
    EXPECT_EQ(item.top, first.top) << "the note's menu wraps before item " << i;
  }
}

// The rows hold their text, which is as large as the DPI makes it.
void expect_find_window_whole(HWND find, int dpi) {
  HWND list = GetDlgItem(find, find_list_id);
  const TEXTMETRICA row_font = metrics_of(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), row_font.tmHeight);
  EXPECT_GE(row_font.tmHeight - row_font.tmInternalLeading, scaled(14, dpi) - 1) << "the rows keep the text of 96 DPI";
  HWND edit = GetDlgItem(find, find_edit_id);
  EXPECT_GE(client_height(edit), line_height(edit));
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
// and lays itself out with fonts made for that DPI.
TEST_F(dpi_layout, a_move_to_another_dpi_lays_each_window_out_again) {
  start_app();
  command(CMD_OPEN_WINDOW);
  const int dpi = 2 * main_dpi;
  HWND note = open_note_window();
  open_find_window();
  HWND find = find_window();
  ASSERT_NE(find, nullptr);
  const struct {
    const char* name;
    HWND window;
    HWND text;
  } windows[] = {
      {"main window", main_window, clip_edit},
      {"note", note, text_frame_edit(note)},
      {"find window", find, GetDlgItem(find, find_list_id)},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    const HWND text = w.text;
    const int before = line_height(text);
    RECT suggested = w.window == note ? RECT{40, 500, 940, 790} : RECT{40, 30, 940, 500};
    SendMessageA(w.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(w.window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << "," << now.right << "," << now.bottom;
    EXPECT_NEAR(line_height(text), 2 * before, 3);
  }
  expect_main_window_whole();
  DestroyWindow(find);
  MSG m; for (int i = 0; i < 40; ++i) { while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m); Sleep(100); }
  expect_note_whole(note);
  expect_find_window_whole(find, dpi);
}

// A place the user gave a window keeps its size for the eye when the main window's
// monitor has another DPI by the time the window opens again.
TEST_F(dpi_layout, a_remembered_place_keeps_its_size_at_another_dpi) {
  start_app();
  command(CMD_OPEN_WINDOW);
  command(0);
  HWND frame = GetParent(start_window);
  SetWindowPos(frame, nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  SendMessageA(frame, WM_EXITSIZEMOVE, 0, 0);
  command(0);
  RECT main_place;
  GetWindowRect(main_window, &main_place);
  SendMessageA(main_window, WM_DPICHANGED, MAKEWPARAM(2 * main_dpi, 2 * main_dpi),
               reinterpret_cast<LPARAM>(&main_place));
  command(0);
  RECT reopened;
  GetWindowRect(GetParent(start_window), &reopened);
  EXPECT_EQ(reopened.left, 100);
  EXPECT_EQ(reopened.top, 100);
  EXPECT_EQ(reopened.right - reopened.left, 600);
  EXPECT_EQ(reopened.bottom - reopened.top, 400);
}

}  // namespace
