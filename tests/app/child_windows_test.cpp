#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/res/resource_ids.h"
#include "app/text_frame.h"
#include "history/record_file.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

class child_windows_test : public app_test {
 protected:
  void press(HWND button) { SendMessageA(main_window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button)); }
};

TEST_F(child_windows_test, start_button_opens_and_closes_the_start_window_putting_the_clip_out_each_time) {
  start_app();
  // Notifications from the edits do not toggle it.
  SendMessageA(main_window, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(clip_edit));
  SendMessageA(main_window, WM_COMMAND, MAKEWPARAM(0, EN_SETFOCUS), reinterpret_cast<LPARAM>(search_edit));
  EXPECT_EQ(start_state, -1);
  EXPECT_EQ(start_window, nullptr);
  set_current_clip("body");
  press(start_button);
  EXPECT_EQ(start_state, 1);
  ASSERT_TRUE(IsWindow(start_window));
  EXPECT_EQ(window_text(start_button), "前略オン");
  EXPECT_EQ(window_text(start_window), "");
  EXPECT_EQ(clipboard_text(), "body");
  SetWindowTextA(start_window, "Dear ");
  HWND opened = start_window;
  set_current_clip("body");
  press(start_button);
  EXPECT_EQ(start_state, -1);
  EXPECT_FALSE(IsWindow(opened));
  EXPECT_EQ(window_text(start_button), "前略");
  EXPECT_EQ(clipboard_text(), "body");
}

TEST_F(child_windows_test, both_affixes_wrap_the_clip) {
  start_app();
  press(start_button);
  SetWindowTextA(start_window, "[");
  press(end_button);
  EXPECT_EQ(window_text(end_button), "早々オン");
  SetWindowTextA(end_window, "]");
  // The buttons' own output comes back as a clip, so set the clip after pressing them.
  set_current_clip("x");
  SendMessageA(main_window, WM_COMMAND, 7, 0);
  EXPECT_EQ(clipboard_text(), "[x]");
}

TEST_F(child_windows_test, affix_window_closed_by_its_close_box_reads_as_empty_until_the_button_is_pressed) {
  start_app();
  press(end_button);
  SetWindowTextA(end_window, "tail");
  SendMessageA(GetParent(end_window), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(end_window));
  EXPECT_EQ(end_state, 1);
  EXPECT_EQ(window_text(end_button), "早々オン");
  set_current_clip("x");
  SendMessageA(main_window, WM_COMMAND, 7, 0);
  EXPECT_EQ(clipboard_text(), "x");
  press(end_button);
  EXPECT_EQ(end_state, -1);
  EXPECT_EQ(window_text(end_button), "早々");
}

TEST_F(child_windows_test, tab_on_the_scroll_bar_cycles_to_the_edits) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetFocus(scroll_bar);
  SendMessageA(scroll_bar, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), clip_edit);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 0);
  SetFocus(scroll_bar);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(scroll_bar, WM_KEYDOWN, VK_TAB, 0);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), search_edit);
}

TEST_F(child_windows_test, edited_clip_becomes_the_clip_when_the_edit_loses_the_focus) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  press(end_button);
  SetWindowTextA(end_window, " -- signed");
  SetFocus(clip_edit);
  type_into(clip_edit, "edited by hand");
  SetFocus(scroll_bar);
  EXPECT_EQ(clipboard_text(), "edited by hand -- signed");
  EXPECT_EQ(read_file("_clip.txt"), "") << "history saving is off";
  EXPECT_EQ(clip_text, std::string("edited by hand")) << "the affixes wrap the clip, they do not join it";
}

TEST_F(child_windows_test, passing_through_the_clip_edit_unedited_leaves_clipboard_and_history_alone) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  copy_from_other_program("copied elsewhere");
  // A picture put there afterwards by a program we do not watch for text.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBITMAP picture = CreateBitmap(2, 2, 1, 32, nullptr);
  SetClipboardData(CF_BITMAP, picture);
  CloseClipboard();
  pump();
  const DWORD sequence = GetClipboardSequenceNumber();
  const std::string history = read_file("_clip.txt");
  for (int pass = 0; pass < 2; ++pass) {
    SetFocus(clip_edit);
    SetFocus(scroll_bar);
  }
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(read_file("_clip.txt"), history);
  EXPECT_EQ(history, "copied elsewhere\a\r\n");
}

TEST_F(child_windows_test, notes_are_numbered_and_their_menu_commands_act) {
  start_app();
  command(CMD_NEW_NOTE);
  command(CMD_NEW_NOTE);
  HWND third = open_note_window();
  HWND text = text_frame_edit(third);
  EXPECT_EQ(window_text(text), "");
  EXPECT_EQ(GetWindowLongPtrA(third, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  EXPECT_NE(GetMenu(third), nullptr);
  SendMessageA(third, WM_COMMAND, CMD_NEW_NOTE, 0);
  EXPECT_EQ(note_count, 4);

  set_current_clip("current clip");
  SendMessageA(third, WM_COMMAND, CMD_FROM_CLIPBOARD, 0);
  EXPECT_EQ(window_text(text), "current clip");
  SendMessageA(third, WM_COMMAND, CMD_ERASE, 0);
  EXPECT_EQ(window_text(text), "");

  SetWindowTextA(text, "find me");
  SendMessageA(third, WM_COMMAND, CMD_SET_SEARCH, 0);
  EXPECT_EQ(window_text(search_edit), "find me");
  EXPECT_TRUE(IsWindowVisible(main_window));

  SetWindowTextA(text, "from a note");
  SendMessageA(third, WM_COMMAND, CMD_SAVE_TO_CLIPBOARD, 0);
  EXPECT_STREQ(clip_text, "from a note");
  EXPECT_EQ(clipboard_text(), "from a note");
}

// The name is what the taskbar and other programs show; they read it without asking the
// window (InternalGetWindowText), so it must be the window's own name, not its text.
TEST_F(child_windows_test, note_and_affix_windows_keep_their_names_whatever_their_text) {
  start_app();
  HWND first = open_note_window();
  HWND second = open_note_window();
  press(start_button);
  press(end_button);
  const struct {
    HWND frame;
    const char* name;
  } windows[] = {{first, "1:"}, {second, "2:"}, {GetParent(start_window), "前略"}, {GetParent(end_window), "早々"}};
  set_current_clip("a clip");
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    HWND text = text_frame_edit(w.frame);
    ASSERT_NE(text, nullptr);
    SetWindowTextA(text, "typed by the user");
    SendMessageA(w.frame, WM_COMMAND, CMD_FROM_CLIPBOARD, 0);
    EXPECT_EQ(window_text(w.frame), w.name);
    wchar_t seen_outside[64];
    InternalGetWindowText(w.frame, seen_outside, 64);
    char name[64];
    WideCharToMultiByte(932, 0, seen_outside, -1, name, sizeof name, nullptr, nullptr);
    EXPECT_STREQ(name, w.name);
    SetFocus(w.frame);
    EXPECT_EQ(GetFocus(), text) << "typing goes to the text";
  }
  EXPECT_EQ(window_text(text_frame_edit(first)), "a clip");
  EXPECT_EQ(window_text(start_window), "typed by the user") << "the affix menu has no commands that act";
}

TEST_F(child_windows_test, note_saved_to_special_becomes_an_entry_of_drawer_zero) {
  start_app();
  HWND note = open_note_window();
  SetWindowTextA(text_frame_edit(note), "fixed phrase");
  const int entries = GetMenuItemCount(drawer_menus[0]);
  SendMessageA(note, WM_COMMAND, CMD_SAVE_TO_SPECIAL, 0);
  EXPECT_EQ(read_file("_special.txt"), "fixed phrase\a\r\n");
  ASSERT_EQ(GetMenuItemCount(drawer_menus[0]), entries + 1);
  const UINT id = GetMenuItemID(drawer_menus[0], entries);
  EXPECT_EQ(id, 21001u);
  command(static_cast<int>(id));
  EXPECT_EQ(clipboard_text(), "fixed phrase");
}

TEST_F(child_windows_test, from_clipboard_takes_the_current_clip_not_the_clipboard) {
  start_app();
  HWND note = open_note_window();
  set_current_clip("kept clip");
  HWND other = make_plain_window("other");
  OpenClipboard(other);
  EmptyClipboard();
  CloseClipboard();
  SendMessageA(note, WM_COMMAND, CMD_FROM_CLIPBOARD, 0);
  EXPECT_EQ(window_text(text_frame_edit(note)), "kept clip");
  DestroyWindow(other);
}

TEST_F(child_windows_test, version_dialogs_open_modeless_and_close_on_cancel) {
  start_app();
  command(CMD_VERSION);
  command(CMD_VERSION_ALIAS);
  HWND first = FindWindowA(nullptr, "version");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetWindow(first, GW_OWNER), main_window);
  SendMessageA(first, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(first));
  HWND second = FindWindowA(nullptr, "version");
  ASSERT_NE(second, nullptr);
  SendMessageA(second, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(FindWindowA(nullptr, "version"), nullptr);
}

}  // namespace
