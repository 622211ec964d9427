// What the windows show and what typing into them stores, read through the wide
// functions: the same Japanese and the same Shift_JIS bytes under every code page (the
// suite runs these under 932 and, in a prefix of their own, under 1252).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/drawer_editor.h"
#include "app/find_window.h"
#include "app/res/resource_ids.h"
#include "app/single_instance.h"
#include "app/status_note.h"
#include "app/text_frame.h"
#include "app/tray_icon.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/record_file.h"
#include "tests/drawers/drawer_fixture.h"
#include "tests/text/quick_look_check.h"

namespace {

using unicode_boundary_test = app_test;

std::wstring wide_text_of(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring wide_menu_string(HMENU menu, int position) {
  wchar_t text[512] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
  return text;
}

// A file's bytes by its Unicode name, whatever the code page.
std::string bytes_of(const std::wstring& name) {
  std::string bytes;
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

TEST_F(unicode_boundary_test, windows_menus_and_the_tray_show_the_japanese_they_hold) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  write_file("_clip.txt", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x4e\x83\x8a\x83\x62\x83\x76\a\r\n");
  start_app();
  SendMessageW(main_window, WM_LBUTTONDOWN, 0, 0);
  SendMessageW(main_window, WM_LBUTTONUP, 0, 0);
  toggle_start_affix();
  HWND note = open_note_window();
  const struct {
    HWND window;
    const wchar_t* text;
  } windows[] = {
      {start_button, L"前略オン"},
      {end_button, L"早々"},
      {reset_button, L"リセット"},
      {clip_edit, L"日本語のクリップ"},
      {main_window, L"日本語のクリップ [どばね]"},
      {GetParent(start_window), L"前略"},
      {note, L"1:"},
  };
  for (const auto& w : windows) EXPECT_EQ(wide_text_of(w.window), w.text);
  EXPECT_EQ(wide_menu_string(history_menu, GetMenuItemCount(history_menu) - 1), L"日本語のクリップ");
  EXPECT_EQ(wide_menu_string(genre_menu, 1), L"special");
  EXPECT_STREQ(tray_icon.shown_tip(), L"日本語のクリップ");
  ASSERT_EQ(tray_icon.show_balloon("\x97\x9a\x97\xf0\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd", false), 1);
  EXPECT_STREQ(tray_icon.shown_balloon(), L"履歴を保存しました");
  open_find_window();
  ASSERT_NE(find_window(), nullptr);
  EXPECT_EQ(wide_text_of(find_window()), L"検索窓");
}

// Where the text as copied is kept, every window shows it instead of the "?" its record holds.
TEST_F(unicode_boundary_test, a_clip_shift_jis_cannot_hold_is_shown_as_it_was_copied) {
  // Named, as an assertion's own text must be Shift_JIS.
  const std::wstring copied = L"ありがとう😊\tJosé〜", label = L"ありがとう😊.José〜", line = L"ありがとう😊 José〜";
  const std::wstring emoji = L"😊😊😊😊😊😊😊😊😊😊abcdefghijklmn", emoji_label = L"😊😊😊😊😊😊😊😊😊😊abcdefghij";
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  start_app();
  copy_unicode_from_other_program(copied);
  const int last_ring = GetMenuItemCount(ring_menu) - 1;
  const int last_history = GetMenuItemCount(history_menu) - 1;
  EXPECT_EQ(wide_menu_string(history_menu, last_history), label);
  EXPECT_EQ(wide_menu_string(ring_menu, last_ring), label);
  EXPECT_EQ(wide_text_of(main_window), line + L" [どばね]");
  EXPECT_EQ(std::wstring(tray_icon.shown_tip()), line);
  EXPECT_EQ(wide_text_of(clip_edit), copied);
  open_find_window();
  ASSERT_NE(find_window(), nullptr);
  pump();
  EXPECT_EQ(wide_text_of(GetDlgItem(find_window(), 4)), copied);
  // A label is cut where the record's is: twenty bytes of Shift_JIS, "?" counting one.
  copy_unicode_from_other_program(emoji);
  EXPECT_EQ(wide_menu_string(history_menu, last_history + 1), emoji_label);
  // A text Shift_JIS holds is shown as its record reads, question mark and all.
  copy_unicode_from_other_program(L"what? ～");
  EXPECT_EQ(wide_menu_string(history_menu, last_history + 2), L"what? ～");
}

TEST(unicode_boundary, the_quick_look_for_an_original_misses_no_character_of_the_systems_table) {
  expect_quick_look_misses_no_character();
}

TEST_F(unicode_boundary_test, typed_text_arrives_as_its_shift_jis_bytes_and_what_it_lacks_is_counted) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  const struct {
    const wchar_t* typed;
    std::string stored;
    const char* note;
  } cases[] = {
      {L"日本語のメモ〜", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x81\x83\x82\x81\x60", ""},
      {L"한글 😀 ok", "?? ? ok", "Shift_JIS にない文字 3 字は ? で保存しました"},
  };
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  HWND note = open_note_window();
  std::string history, drawer;
  for (const auto& c : cases) {
    SetWindowTextW(text_frame_edit(note), c.typed);
    SendMessageW(note, WM_COMMAND, CMD_SAVE_TO_CLIPBOARD, 0);
    EXPECT_EQ(clip_text, c.stored);
    EXPECT_EQ(clipboard_text(), c.stored);
    SendMessageW(note, WM_COMMAND, CMD_SAVE_TO_SPECIAL, 0);
    drawer += record(c.stored);

    SetFocus(clip_edit);
    SendMessageW(clip_edit, EM_SETSEL, 0, -1);
    SendMessageW(clip_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>((std::wstring(c.typed) + L" 2").c_str()));
    SetFocus(scroll_bar);
    EXPECT_STREQ(status_note(), c.note);
    // The note's clip, then the one typed into the clip edit.
    history += record(c.stored) + record(c.stored + " 2");
  }
  EXPECT_EQ(read_file("_clip.txt"), history);
  EXPECT_EQ(read_file("_special.txt"), drawer);
}

TEST_F(unicode_boundary_test, the_drawer_editor_stores_a_typed_phrase_and_genre_as_their_shift_jis_bytes) {
  start_app();
  HWND editor = CreateDialogParamW(GetModuleHandleW(nullptr), L"SPDLG", main_window, drawer_editor_procedure, 0);
  ASSERT_NE(editor, nullptr);
  SetDlgItemTextW(editor, IDC_SP_TEXT, L"お世話になります〜\r\n敬具");
  SendMessageW(editor, WM_COMMAND, IDC_SP_SAVE, 0);
  SetDlgItemTextW(editor, IDC_SP_TEXT, L"Müller 様");
  SendMessageW(editor, WM_COMMAND, IDC_SP_SAVE, 0);
  EXPECT_STREQ(status_note(), "Shift_JIS にない文字 1 字は ? で保存しました");
  SetDlgItemTextW(editor, IDC_SP_GENRE, L"署名");
  SendMessageW(editor, WM_COMMAND, IDC_SP_SAVE_GENRE, 0);
  DestroyWindow(editor);
  close_app();
  EXPECT_EQ(bytes_of(L"_special.txt"),
            record("\x82\xa8\x90\xa2\x98\x62\x82\xc9\x82\xc8\x82\xe8\x82\xdc\x82\xb7\x81\x60\r\r\n\x8c\x68\x8b\xef") +
                record("M?ller \x97\x6c"));
  EXPECT_EQ(ini_value("special", "2"), "\x8f\x90\x96\xbc");
  start_app();
  EXPECT_EQ(entries_of(genre_menu).back().label, "\x8f\x90\x96\xbc");
}

TEST_F(unicode_boundary_test, the_find_window_finds_a_typed_japanese_query) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  write_file("_clip.txt", record("apple") + record("\x82\xe8\x82\xf1\x82\xb2\x83\x57\x83\x85\x81\x5b\x83\x58") +
                              record("banana"));
  start_app();
  open_find_window();
  HWND find = find_window();
  ASSERT_NE(find, nullptr);
  SetWindowTextW(GetDlgItem(find, 1), L"りんご");
  for (int i = 0; i < 200 && find_window_busy(); ++i) {
    pump();
    Sleep(10);
  }
  pump();
  HWND list = GetDlgItem(find, 3);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(wide_text_of(GetDlgItem(find, 4)), L"りんごジュース");
}

TEST_F(unicode_boundary_test, genre_names_and_their_drawer_files_survive_a_save_and_a_restart) {
  // Trail bytes 0x5C and 0x5D, and names that one code page read as one another's.
  const std::vector<std::string> names = {"special", "\x95\x5c\x8e\xa6", "\x83\x5c\x83\x74\x83\x67",
                                          "\x97\xbf\x97\x9d", "\x8f\x90\x96\xbc", "\x83\x5d\x81\x5b\x83\x93"};
  const std::vector<std::wstring> drawer_files = {L"_表示3.txt", L"_ソフト3.txt", L"_料理3.txt", L"_署名3.txt",
                                                  L"_ゾーン3.txt"};
  start_app();
  for (size_t k = 1; k < names.size(); ++k) ASSERT_EQ(add_genre(names[k].c_str()), static_cast<int>(k + 1));
  for (size_t k = 1; k < names.size(); ++k) {
    choose_and_store_genre(static_cast<int>(k + 1));
    register_in_drawer(("phrase " + std::to_string(k)).c_str(), 3);
  }
  choose_and_store_genre(2);
  close_app();
  for (size_t k = 1; k < names.size(); ++k)
    EXPECT_EQ(bytes_of(drawer_files[k - 1]), record("phrase " + std::to_string(k))) << k;

  start_app();
  std::vector<std::string> labels;
  for (const menu_entry& entry : entries_of(genre_menu)) labels.push_back(entry.label);
  EXPECT_EQ(labels, names);
  EXPECT_EQ(genre_name, names[1]);
  EXPECT_EQ(entries_of(drawer_menus[3]).front().label, "phrase 1");
}

TEST_F(unicode_boundary_test, a_data_folder_named_in_any_script_keeps_its_files_and_a_key_of_its_own) {
  const wchar_t* folders[] = {L"田中のデータ", L"한국", L"중국"};
  std::vector<LRESULT> keys;
  for (const wchar_t* folder : folders) {
    ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(folder));
    write_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
    start_app();
    const std::string clip = "kept in folder " + std::to_string(keys.size());
    copy_from_other_program(clip);
    command(CMD_SAVE_HISTORY_OFF);
    keys.push_back(data_folder_key());
    close_app();
    EXPECT_EQ(read_file("_clip.txt"), record(clip));
    EXPECT_NE(read_file("dovane_clip.ini").find("save=no-history\r\n"), std::string::npos);
    ASSERT_TRUE(SetCurrentDirectoryW(L".."));
  }
  EXPECT_NE(keys[0], keys[1]);
  EXPECT_NE(keys[1], keys[2]);
}

}  // namespace
