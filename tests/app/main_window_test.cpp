#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/clip_menus.h"
#include "app/find_window.h"
#include "app/main_window.h"
#include "app/text_frame.h"
#include "app/res/resource_ids.h"
#include "history/history_streams.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

std::vector<int> seen_commands;
WNDPROC real_main_procedure;

// Records commands from menus and accelerators; the children's notifications carry their
// window in lparam and are left out.
LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam == 0) seen_commands.push_back(LOWORD(wparam));
  return CallWindowProcA(real_main_procedure, window, message, wparam, lparam);
}

// Left, top, right and bottom, in that order, so a failure prints all four.
std::tuple<LONG, LONG, LONG, LONG> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

using main_window_test = app_test;

TEST_F(main_window_test, resizing_lays_out_the_children) {
  start_app();
  base_unit_x = 8;
  base_unit_y = 16;
  char_height = 12;
  height_zoom = 100;
  scroll_bar_height = 17;
  SendMessageA(main_window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
  struct placement {
    HWND window;
    RECT expected;
  };
  // Buttons are 10 base units wide and 7/4 high: 80 by 28 pixels here.
  const placement placements[] = {
      {scroll_bar, {0, 0, 400, 17}},
      {start_button, {320, 17, 400, 45}},
      {end_button, {320, 45, 400, 73}},
      {reset_button, {320, 73, 400, 101}},
      {clip_edit, {0, 29, 320, 240}},
      {search_edit, {0, 240, 320, 300}},
  };
  for (const placement& p : placements) EXPECT_EQ(edges(rect_in_main_window(p.window)), edges(p.expected));
}

TEST_F(main_window_test, status_line_names_file_position_length_and_limits) {
  start_app();
  std::snprintf(history_file, file_name_size, "%s", "_clip.txt");
  current_index = 3;
  history_count = 12;
  set_current_clip("hello");
  data_max = 500;
  history_menu_max = 34;
  char status[status_line_size];
  format_status_line(status, sizeof status);
  EXPECT_STREQ(status, "[in:_clip.txt]-index:3/12-[len:5][500/20/34]");
}

TEST_F(main_window_test, painting_refreshes_scroll_range_thumb_and_title) {
  write_file("_clip.txt", "a\a\r\nb\a\r\nc\a\r\n");
  start_app();
  set_current_clip("shown clip");
  current_index = 2;
  ShowWindow(main_window, SW_SHOWNORMAL);
  // The window starts at the system's minimum size, whose client area may be empty.
  SetWindowPos(main_window, nullptr, 0, 0, 500, 400, SWP_NOZORDER);
  InvalidateRect(main_window, nullptr, TRUE);
  UpdateWindow(main_window);
  int low = 0, high = 0;
  GetScrollRange(scroll_bar, SB_CTL, &low, &high);
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 3);
  EXPECT_EQ(GetScrollPos(scroll_bar, SB_CTL), 2);
  EXPECT_EQ(window_text(main_window), "shown clip [どばね]");
}

TEST_F(main_window_test, font_zoom_steps_floor_and_reset_release_the_old_font) {
  start_app();
  const int smaller[] = {80, 60, 40, 20, 10, 10};
  for (int expected : smaller) {
    HFONT before = view_font;
    command(CMD_FONT_SMALLER);
    EXPECT_EQ(width_zoom, expected);
    EXPECT_EQ(height_zoom, expected);
    EXPECT_EQ(GetObjectType(before), 0u) << "the replaced font is released";
  }
  command(CMD_FONT_RESET);
  EXPECT_EQ(width_zoom, 100);
  command(CMD_FONT_LARGER);
  command(CMD_FONT_LARGER);
  EXPECT_EQ(height_zoom, 140);
  width_zoom = height_zoom = 99990;
  command(CMD_FONT_LARGER);
  EXPECT_EQ(width_zoom, 99990) << "zoom stops short of overflowing the font size";
  EXPECT_NE(view_font, nullptr);
}

// Menu reset and the blank link-tag item change nothing.
TEST_F(main_window_test, popup_choice_commands_pick_the_menu_the_popup_shows) {
  start_app();
  EXPECT_EQ(popup_menu, clip_menu);
  const int items_before = GetMenuItemCount(clip_menu);
  const std::pair<int, HMENU*> choices[] = {{CMD_POPUP_RING, &ring_menu},         {CMD_POPUP_ALL, &menu_bar},
                                            {CMD_POPUP_DRAWERS, &drawer_menu},    {CMD_POPUP_STANDARD, &clip_menu},
                                            {CMD_MENU_RESET, &clip_menu},         {CMD_LINK_TAG_BLANK, &clip_menu}};
  for (const auto& choice : choices) {
    command(choice.first);
    EXPECT_EQ(popup_menu, *choice.second) << choice.first;
  }
  EXPECT_EQ(GetMenuItemCount(clip_menu), items_before);
  EXPECT_EQ(start_state, -1);
}

TEST_F(main_window_test, history_saving_switch_swaps_the_two_items) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  start_app();
  EXPECT_EQ(history_saving, 1);
  EXPECT_TRUE(GetMenuState(control_menu, CMD_SAVE_HISTORY_ON, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(control_menu, CMD_SAVE_HISTORY_OFF, MF_BYCOMMAND) & MF_GRAYED);
  command(CMD_SAVE_HISTORY_OFF);
  EXPECT_EQ(history_saving, 0);
  EXPECT_FALSE(GetMenuState(control_menu, CMD_SAVE_HISTORY_ON, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(control_menu, CMD_SAVE_HISTORY_OFF, MF_BYCOMMAND) & MF_GRAYED);
  close_app();
  EXPECT_EQ(ini_value("init", "save"), "no-history");
}

TEST_F(main_window_test, block_commands_leave_exactly_one_block_checked) {
  start_app();
  EXPECT_TRUE(GetMenuState(clip_menu, CMD_BLOCK_I, MF_BYCOMMAND) & MF_CHECKED);
  // To the last block and back to the first too.
  for (int shown : {1, 4, 0}) {
    command(CMD_BLOCK_I + shown);
    for (int b = 0; b < 5; ++b)
      EXPECT_EQ((GetMenuState(clip_menu, CMD_BLOCK_I + b, MF_BYCOMMAND) & MF_CHECKED) != 0, b == shown) << b;
  }
}

TEST_F(main_window_test, add_test_command_appends_numbered_empty_popups) {
  start_app();
  const int before = GetMenuItemCount(clip_menu);
  command(CMD_ADD_TEST);
  command(CMD_ADD_TEST);
  ASSERT_EQ(GetMenuItemCount(clip_menu), before + 2);
  const char* names[] = {"test1", "test2"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(menu_string(clip_menu, before + i, MF_BYPOSITION), names[i]);
    HMENU popup = GetSubMenu(clip_menu, before + i);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 0);
  }
}

TEST_F(main_window_test, hovering_the_system_menu_icon_opens_the_popup_at_the_screen_corner) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetForegroundWindow(main_window);
  SetTimer(nullptr, 0, 300, close_popup_once_shown);
  EXPECT_EQ(SendMessageA(main_window, WM_NCMOUSEMOVE, HTSYSMENU, 0), 0);
  EXPECT_EQ(shown_popup_rect.left, 0);
  EXPECT_EQ(shown_popup_rect.top, 0);
  EXPECT_GT(shown_popup_rect.bottom, 0) << "the popup was shown";
}

// Presses a key with or without Ctrl as the keyboard would deliver it to the focused
// window; the test's pump then routes it as the program's loop does.
void post_key(HWND focused, WPARAM key, bool control) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = control ? 0x80 : 0;
  SetKeyboardState(keys);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(focused, WM_KEYDOWN, key, scan | 1);
  PostMessageA(focused, WM_KEYUP, key, scan | 1 | 0xC0000000);
}

std::string selected_text(HWND edit) {
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  char text[256];
  GetWindowTextA(edit, text, sizeof text);
  return std::string(text).substr(from, to - from);
}

TEST_F(main_window_test, editing_keys_act_on_the_focused_edit_and_other_keys_reach_the_main_window) {
  start_app();
  real_main_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(main_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording_procedure)));
  ShowWindow(main_window, SW_SHOWNORMAL);
  HWND note = text_frame_edit(open_note_window());
  const auto press_key = [this](HWND focused, WPARAM key, bool control) {
    post_key(focused, key, control);
    pump();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  };
  for (HWND edit : {note, search_edit}) {
    SCOPED_TRACE(edit == note ? "note" : "search edit");
    SetForegroundWindow(GetAncestor(edit, GA_ROOT));
    SetFocus(edit);
    SetWindowTextA(edit, "alpha beta");
    SendMessageA(edit, EM_SETSEL, 6, 10);
    seen_commands.clear();
    press_key(edit, 'C', true);
    EXPECT_EQ(clipboard_text(), "beta");
    press_key(edit, 'A', true);
    EXPECT_EQ(selected_text(edit), "alpha beta");
    press_key(edit, 'X', true);
    EXPECT_EQ(window_text(edit), "");
    EXPECT_EQ(clipboard_text(), "alpha beta");
    press_key(edit, 'V', true);
    press_key(edit, 'V', true);
    EXPECT_EQ(window_text(edit), "alpha betaalpha beta");
    press_key(edit, 'Z', true);
    EXPECT_EQ(window_text(edit), "alpha beta");
    SendMessageA(edit, EM_SETSEL, 0, 6);
    press_key(edit, VK_DELETE, false);
    EXPECT_EQ(window_text(edit), "beta");
    EXPECT_TRUE(seen_commands.empty());
    // Keys that are no editing keys still act on the main window.
    press_key(edit, 'S', true);
    EXPECT_EQ(seen_commands, std::vector<int>{CMD_SPECIAL});
  }
  // Where no edit has the focus the editing keys keep their accelerators.
  SetFocus(scroll_bar);
  seen_commands.clear();
  press_key(scroll_bar, 'A', true);
  press_key(scroll_bar, 'C', true);
  EXPECT_EQ(seen_commands, (std::vector<int>{CMD_BACK, CMD_FROM_CLIPBOARD}));
  // The find window's keys are its own: Ctrl+E there must not end the program.
  open_find_window();
  HWND find_edit = GetFocus();
  ASSERT_EQ(GetAncestor(find_edit, GA_ROOT), find_window());
  seen_commands.clear();
  for (WPARAM key : {'E', 'S', 'R'}) press_key(find_edit, key, true);
  EXPECT_TRUE(seen_commands.empty());
  EXPECT_TRUE(IsWindow(main_window));
}

}  // namespace
