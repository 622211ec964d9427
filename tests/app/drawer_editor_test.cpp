#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/drawer_editor.h"
#include "drawers/drawer_names.h"
#include "drawers/drawer_records.h"
#include "drawers/genre_list.h"
#include "history/record_file.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"
#include "tests/drawers/drawer_fixture.h"

namespace {

// The dialog runs modeless with its own procedure, so each click is handled at once.
class drawer_editor_test : public app_test {
 protected:
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
    app_test::TearDown();
  }
  void open_editor() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), "SPDLG", main_window, drawer_editor_procedure, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  // Starts the program, picks a block from its menu if one is given, and opens the editor.
  void start_editor(int block_command = 0) {
    start_app();
    if (block_command != 0) command(block_command);
    open_editor();
  }
  void click(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  std::string box(int id) { return window_text(GetDlgItem(dialog_, id)); }
  void type(int id, const std::string& text) { SetDlgItemTextA(dialog_, id, text.c_str()); }
  // What the boxes show: block, drawer, index and text.
  void expect_view(int block, int drawer, int index, const std::string& text) {
    EXPECT_EQ(box(IDC_SP_BLOCK), std::to_string(block));
    EXPECT_EQ(box(IDC_SP_DRAWER), std::to_string(drawer));
    EXPECT_EQ(box(IDC_SP_INDEX), std::to_string(index));
    EXPECT_EQ(box(IDC_SP_TEXT), text);
  }

  HWND dialog_ = nullptr;
};

TEST_F(drawer_editor_test, opens_on_record_1_of_drawer_0_of_block_i_whatever_the_menus_show) {
  write_file("_special.txt", record("first") + record("second"));
  write_file("_1special.txt", record("other block"));
  start_editor(CMD_BLOCK_RO);
  expect_view(0, 0, 1, "first");
  EXPECT_EQ(box(IDC_SP_GENRE), "special");
}

struct paging_step {
  int button;
  int index;
  const char* text;
};

TEST_F(drawer_editor_test, index_pages_through_the_records_and_reads_through_at_either_end) {
  write_file("_special.txt", record("first") + record("second"));
  start_editor();
  const paging_step steps[] = {
      {IDC_SP_NEXT_RECORD, 2, "second"}, {IDC_SP_NEXT_RECORD, 3, ""},  {IDC_SP_NEXT_RECORD, 4, ""},
      {IDC_SP_PREV_RECORD, 3, ""},       {IDC_SP_PREV_RECORD, 2, "second"}, {IDC_SP_PREV_RECORD, 1, "first"},
      {IDC_SP_PREV_RECORD, 0, ""},       {IDC_SP_PREV_RECORD, 0, ""},  {IDC_SP_NEXT_RECORD, 1, "first"},
  };
  for (const paging_step& s : steps) {
    click(s.button);
    SCOPED_TRACE(s.index);
    expect_view(0, 0, s.index, s.text);
  }
}

TEST_F(drawer_editor_test, drawers_past_9_and_below_0_are_files_the_menus_never_show) {
  write_file("_special9.txt", record("nine"));
  write_file("_special10.txt", record("ten"));
  start_editor();
  type(IDC_SP_DRAWER, "9");
  click(IDC_SP_NEXT_RECORD);
  expect_view(0, 9, 2, "");
  click(IDC_SP_PREV_RECORD);
  expect_view(0, 9, 1, "nine");
  click(IDC_SP_NEXT_DRAWER);
  expect_view(0, 10, 1, "ten");

  type(IDC_SP_TEXT, "more");
  click(IDC_SP_SAVE);
  EXPECT_EQ(read_file("_special10.txt"), record("ten") + record("more"));

  type(IDC_SP_DRAWER, "-2");
  type(IDC_SP_TEXT, "negative");
  click(IDC_SP_SAVE);
  EXPECT_EQ(read_file("_special-2.txt"), record("negative"));
  EXPECT_EQ(entries_of(drawer_menus[9]), (std::vector<menu_entry>{{21000 + 9 * 1500 + 1, "nine"}}));
  for (int d = 0; d < 9; ++d) EXPECT_TRUE(entries_of(drawer_menus[d]).empty()) << d;
}

struct block_case {
  const char* typed;
  int button;
  int block;
};

TEST_F(drawer_editor_test, blocks_typed_or_stepped_outside_0_to_4_are_held_within) {
  write_file("_4special3.txt", record("ho"));
  write_file("_special3.txt", record("i"));
  start_editor();
  type(IDC_SP_DRAWER, "3");
  const block_case cases[] = {
      {"4", IDC_SP_NEXT_BLOCK, 4}, {"9", IDC_SP_NEXT_RECORD, 4}, {"-3", IDC_SP_PREV_BLOCK, 0},
      {"-3", IDC_SP_NEXT_BLOCK, 1}, {"", IDC_SP_NEXT_BLOCK, 2},  {"abc", IDC_SP_PREV_BLOCK, 1},
  };
  for (const block_case& c : cases) {
    SCOPED_TRACE(c.typed);
    type(IDC_SP_BLOCK, c.typed);
    click(c.button);
    EXPECT_EQ(editor_block, c.block);
    EXPECT_EQ(box(IDC_SP_BLOCK), std::to_string(c.block));
  }
  type(IDC_SP_BLOCK, "9");
  type(IDC_SP_TEXT, "saved");
  click(IDC_SP_SAVE);
  EXPECT_EQ(read_file("_4special3.txt"), record("ho") + record("saved"));
  EXPECT_EQ(read_file("_special3.txt"), record("i"));
}

TEST_F(drawer_editor_test, save_appends_the_box_as_the_last_record_and_keeps_the_index) {
  write_file("_special.txt", record("first") + record("second"));
  start_editor();
  type(IDC_SP_TEXT, "third\r\nline");
  click(IDC_SP_SAVE);
  EXPECT_STREQ(clip_text, "third\r\nline");
  EXPECT_EQ(box(IDC_SP_INDEX), "1");
  EXPECT_EQ(read_file("_special.txt"), record("first") + record("second") + record("third\r\r\nline"));

  // An empty box stores an empty record: not listed, but counted.
  type(IDC_SP_TEXT, "");
  click(IDC_SP_SAVE);
  type(IDC_SP_TEXT, "fifth");
  click(IDC_SP_SAVE);
  command(CMD_BLOCK_I);
  const std::vector<menu_entry> listed = entries_of(drawer_menus[0]);
  ASSERT_EQ(listed.size(), 4u);
  EXPECT_EQ(listed.back(), (menu_entry{21005, "fifth"}));
}

TEST_F(drawer_editor_test, delete_removes_the_record_on_show_from_the_editors_block_and_drops_empty_ones) {
  write_file("_special2.txt", record("a") + record("") + record("b") + record("c"));
  write_file("_1special2.txt", record("x") + record("y"));
  start_editor(CMD_BLOCK_RO);
  type(IDC_SP_DRAWER, "2");
  click(IDC_SP_NEXT_RECORD);
  click(IDC_SP_NEXT_RECORD);
  expect_view(0, 2, 3, "b");
  click(IDC_SP_DELETE);
  EXPECT_EQ(read_file("_special2.txt"), record("a") + record("c"));
  EXPECT_EQ(read_file("_1special2.txt"), record("x") + record("y"));
  EXPECT_FALSE(file_exists("_special2.txtt"));
  // The view follows the file: number 3 is now past the end, read through to nothing.
  expect_view(0, 2, 3, "");
  click(IDC_SP_PREV_RECORD);
  expect_view(0, 2, 2, "c");
  click(IDC_SP_DELETE);
  EXPECT_EQ(read_file("_special2.txt"), record("a"));
}

// A drawer or block typed after the last refresh names what the next step shows; the
// record on show still comes from where it was read, and only that one goes.
TEST_F(drawer_editor_test, delete_after_typing_another_drawer_removes_the_record_on_show) {
  write_file("_special.txt", record("zero 1") + record("zero 2"));
  write_file("_special3.txt", record("three 1") + record("three 2"));
  write_file("_2special.txt", record("ha 1") + record("ha 2"));
  start_editor();
  click(IDC_SP_NEXT_RECORD);
  expect_view(0, 0, 2, "zero 2");
  type(IDC_SP_DRAWER, "3");
  type(IDC_SP_BLOCK, "2");
  click(IDC_SP_DELETE);
  EXPECT_EQ(read_file("_special.txt"), record("zero 1"));
  EXPECT_EQ(read_file("_special3.txt"), record("three 1") + record("three 2"));
  EXPECT_EQ(read_file("_2special.txt"), record("ha 1") + record("ha 2"));
  expect_view(0, 0, 2, "");

  // Stepping after a delete goes on from the drawer on show.
  click(IDC_SP_PREV_RECORD);
  expect_view(0, 0, 1, "zero 1");
  type(IDC_SP_DRAWER, "3");
  click(IDC_SP_NEXT_RECORD);
  expect_view(0, 3, 2, "three 2");
  click(IDC_SP_DELETE);
  EXPECT_EQ(read_file("_special3.txt"), record("three 1"));
}

TEST_F(drawer_editor_test, delete_and_read_of_a_missing_file_create_nothing) {
  start_editor();
  type(IDC_SP_DRAWER, "6");
  set_current_clip("kept");
  click(IDC_SP_NEXT_RECORD);
  EXPECT_STREQ(clip_text, "kept");
  EXPECT_EQ(box(IDC_SP_TEXT), "");
  click(IDC_SP_DELETE);
  EXPECT_FALSE(file_exists("_special6.txt"));
  EXPECT_FALSE(file_exists("_special6.txtt"));
}

struct empty_place_step {
  int button;
  const char* text;
};

// Stepping from a phrase to a genre, block or drawer that holds no record shows an empty
// box, so a save there never stores the phrase of the place shown before.
TEST_F(drawer_editor_test, a_place_with_no_record_shows_an_empty_box) {
  write_file("dovane_clip.ini", "[init]\r\nspname=1\r\n[special]\r\n1=special\r\n2=work\r\n");
  write_file("_special.txt", record("zero"));
  start_editor();
  const empty_place_step steps[] = {
      {IDC_SP_NEXT_DRAWER, ""}, {IDC_SP_PREV_DRAWER, "zero"}, {IDC_SP_NEXT_BLOCK, ""},
      {IDC_SP_PREV_BLOCK, "zero"}, {IDC_SP_NEXT_GENRE, ""},  {IDC_SP_NEXT_GENRE, "zero"},
      {IDC_SP_NEXT_RECORD, ""},   {IDC_SP_PREV_RECORD, "zero"}, {IDC_SP_NEXT_DRAWER, ""},
  };
  for (const empty_place_step& s : steps) {
    click(s.button);
    EXPECT_EQ(box(IDC_SP_TEXT), s.text) << s.button << " to block " << editor_block << " drawer " << editor_drawer;
  }
  click(IDC_SP_SAVE);
  EXPECT_EQ(read_file("_special1.txt"), record(""));
}

TEST_F(drawer_editor_test, a_saved_genre_is_written_listed_and_shown_at_once) {
  write_file("_special.txt", record("special phrase"));
  write_file("_work.txt", record("at work"));
  write_file("_1work4.txt", record("work ro"));
  start_editor(CMD_BLOCK_RO);
  type(IDC_SP_GENRE, "work");
  click(IDC_SP_SAVE_GENRE);
  EXPECT_EQ(ini_value("special", "2"), "work");
  EXPECT_STREQ(genre_name, "work");
  EXPECT_EQ(genre_count, 2);
  EXPECT_EQ(genre_number, 2);
  EXPECT_EQ(entries_of(genre_menu), (std::vector<menu_entry>{{31001, "special"}, {31002, "work"}}));
  EXPECT_FALSE(is_checked(genre_menu, 31001));
  EXPECT_TRUE(is_checked(genre_menu, 31002));
  // The main window's block stays; its menus now list the new genre's files.
  EXPECT_EQ(current_block, 1);
  EXPECT_EQ(entries_of(drawer_menus[4]), (std::vector<menu_entry>{{21000 + 4 * 1500 + 1, "work ro"}}));
  expect_view(0, 0, 1, "at work");

  // Genre 1 lives only in the menu on a first run; the step takes its label from there.
  click(IDC_SP_NEXT_GENRE);
  EXPECT_EQ(genre_number, 1);
  EXPECT_STREQ(genre_name, "special");
  EXPECT_STREQ(block_stems[1], "_1special");
  EXPECT_EQ(box(IDC_SP_GENRE), "special");
  EXPECT_EQ(box(IDC_SP_TEXT), "special phrase");
  EXPECT_TRUE(is_checked(genre_menu, 31001));
  EXPECT_FALSE(is_checked(genre_menu, 31002));
  EXPECT_TRUE(entries_of(drawer_menus[4]).empty());

  close_app();
  EXPECT_EQ(ini_value("special", "1"), "special");
  EXPECT_EQ(ini_value("special", "2"), "work");
  EXPECT_EQ(ini_value("special", "3"), "<missing>");
}

struct typed_genre_case {
  const char* typed;
  const char* stored;  // nullptr: refused
};

// The settings file drops surrounding blanks and quotes on reading, so the files are
// named by the name as it reads back; a name of nothing but those is refused, and a long
// one is cut on a whole character.
TEST_F(drawer_editor_test, typed_genre_names_are_trimmed_cut_and_empty_ones_refused) {
  const typed_genre_case cases[] = {
      {"xかかかかかかかかかかかかかかかかかかかか", "xかかかかかかかかかかかかかかか"},
      {"  work  ", "work"}, {"\"quoted\"", "quoted"}, {"\t' mixed \"'", "mixed"}, {"in side", "in side"},
      {"", nullptr},        {"   ", nullptr},        {"\"\"", nullptr},             {" ' ", nullptr},
  };
  start_editor();
  int count = 1;
  for (const typed_genre_case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string before = genre_name;
    type(IDC_SP_GENRE, c.typed);
    click(IDC_SP_SAVE_GENRE);
    if (c.stored == nullptr) {
      EXPECT_EQ(genre_count, count);
      EXPECT_EQ(std::string(genre_name), before);
      EXPECT_EQ(box(IDC_SP_GENRE), before);
      EXPECT_EQ(ini_value("special", std::to_string(count + 1).c_str()), "<missing>");
      continue;
    }
    ++count;
    EXPECT_EQ(genre_count, count);
    EXPECT_EQ(ini_value("special", std::to_string(count).c_str()), c.stored);
    EXPECT_STREQ(genre_name, c.stored);
    EXPECT_EQ(std::string(block_stems[2]), std::string("_2") + c.stored);
    type(IDC_SP_TEXT, "phrase");
    click(IDC_SP_SAVE);
    EXPECT_TRUE(file_exists((std::string("_") + c.stored + ".txt").c_str()));
  }
}

TEST_F(drawer_editor_test, next_genre_wraps_moves_the_check_mark_and_refills_the_block_on_show) {
  write_file("dovane_clip.ini", "[init]\r\nspname=3\r\n[special]\r\n1=A\r\n2=B\r\n3=C\r\n");
  write_file("_3C.txt", record("C ni"));
  write_file("_3A.txt", record("A ni"));
  start_app();
  command(CMD_BLOCK_NI);
  ASSERT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{21001, "C ni"}}));
  set_current_clip("the clip");
  open_editor();
  click(IDC_SP_NEXT_GENRE);
  EXPECT_EQ(genre_number, 1);
  EXPECT_EQ(ini_value("init", "spname"), "1");  // stored at once, not only at the end
  EXPECT_EQ(box(IDC_SP_GENRE), "A");
  EXPECT_FALSE(is_checked(genre_menu, 31003));
  EXPECT_TRUE(is_checked(genre_menu, 31001));
  EXPECT_EQ(current_block, 3);
  EXPECT_TRUE(is_checked(clip_menu, CMD_BLOCK_NI));
  EXPECT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{21001, "A ni"}}));
}

// Closing the editor shows in the menus what it appended and deleted.
TEST_F(drawer_editor_test, the_menus_list_the_drawers_as_the_editor_leaves_them) {
  write_file("_special.txt", record("first") + record("second") + record("third"));
  start_editor();
  click(IDC_SP_DELETE);
  type(IDC_SP_DRAWER, "8");
  type(IDC_SP_TEXT, "added");
  click(IDC_SP_SAVE);
  EXPECT_EQ(entries_of(drawer_menus[0]).size(), 3u);
  click(IDCANCEL);
  EXPECT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{21001, "second"}, {21002, "third"}}));
  EXPECT_EQ(entries_of(drawer_menus[8]), (std::vector<menu_entry>{{21000 + 8 * 1500 + 1, "added"}}));
  choose_by_position(main_window, drawer_menus[0], 1);
  EXPECT_EQ(clipboard_text(), "second");
}

// The real command: a modal dialog over the main window. A timer inside its loop types
// Return into the text box, presses OK and then ｷｬﾝｾﾙ.
struct modal_probe {
  HWND dialog = nullptr;
  HWND owner = nullptr;
  std::string text_after_return;
  bool open_after_ok = false;
  int ticks = 0;
};
modal_probe probe;

void CALLBACK drive_modal_editor(HWND, UINT, UINT_PTR timer, DWORD) {
  ++probe.ticks;
  HWND dialog = FindWindowA("#32770", "ﾀﾞｲｱﾛｸﾞ");
  if (dialog == nullptr) {
    if (probe.ticks > 100) KillTimer(nullptr, timer);
    return;
  }
  HWND text = GetDlgItem(dialog, IDC_SP_TEXT);
  if (probe.dialog == nullptr) {
    probe.dialog = dialog;
    probe.owner = GetWindow(dialog, GW_OWNER);
    SetDlgItemTextA(dialog, IDC_SP_TEXT, "ab");
    SetFocus(text);
    SendMessageA(text, EM_SETSEL, 1, 1);
    PostMessageA(text, WM_KEYDOWN, VK_RETURN, 0);
    return;
  }
  probe.text_after_return = window_text_sjis(text);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  probe.open_after_ok = IsWindow(dialog) && IsWindowVisible(dialog);
  KillTimer(nullptr, timer);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(drawer_editor_test, the_command_opens_it_modally_and_only_cancel_closes_it) {
  start_app();
  SetTimer(nullptr, 0, 50, drive_modal_editor);
  command(CMD_EDIT_SPECIAL);
  EXPECT_EQ(probe.owner, main_window);
  EXPECT_EQ(probe.text_after_return, "a\r\nb");
  EXPECT_TRUE(probe.open_after_ok);
  EXPECT_FALSE(IsWindow(probe.dialog));
}

}  // namespace
