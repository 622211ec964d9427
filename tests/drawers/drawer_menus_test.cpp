#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "app/res/resource_ids.h"
#include "app/drawer_commands.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/record_file.h"
#include "settings/settings_values.h"
#include "tests/drawers/drawer_fixture.h"

namespace {

using drawer_menus_test = app_test;

int entry_id(int drawer, int record) { return 21000 + drawer * 1500 + record; }

void set_clip(const char* text) { std::snprintf(clip_text, sizeof clip_text, "%s", text); }

struct fill_case {
  int records;
  int first_listed;
};

TEST_F(drawer_menus_test, a_block_change_lists_the_newest_hundred_records) {
  const fill_case cases[] = {{150, 51}, {100, 1}, {3, 1}};
  start_app();
  for (const fill_case& c : cases) {
    write_file("_1special3.txt", numbered_records(c.records, "rec"));
    command(CMD_BLOCK_RO);
    const std::vector<menu_entry> listed = entries_of(drawer_menus[3]);
    const int expected = c.records - c.first_listed + 1;
    ASSERT_EQ(static_cast<int>(listed.size()), expected) << c.records;
    EXPECT_EQ(listed.front(), (menu_entry{entry_id(3, c.first_listed), "rec" + std::to_string(c.first_listed)}));
    EXPECT_EQ(listed.back(), (menu_entry{entry_id(3, c.records), "rec" + std::to_string(c.records)}));
  }
}

TEST_F(drawer_menus_test, start_up_lists_the_drawers_of_block_i) {
  write_file("_special.txt", record("hello") + record("a\tb") + record("") + record("123456789012345678901234"));
  write_file("_special9.txt", record("nine"));
  start_app();
  const std::vector<menu_entry> expected = {
      {entry_id(0, 1), "hello"}, {entry_id(0, 2), "a.b"}, {entry_id(0, 4), "12345678901234567890"}};
  EXPECT_EQ(entries_of(drawer_menus[0]), expected);
  EXPECT_EQ(entries_of(drawer_menus[9]), (std::vector<menu_entry>{{entry_id(9, 1), "nine"}}));
  for (int d = 1; d < 9; ++d) EXPECT_TRUE(entries_of(drawer_menus[d]).empty()) << d;
  EXPECT_TRUE(is_checked(clip_menu, CMD_BLOCK_I));
}

TEST_F(drawer_menus_test, a_block_change_refills_all_ten_menus_and_moves_the_one_check_mark) {
  for (int d = 0; d < 10; ++d) {
    char name[32];
    std::snprintf(name, sizeof name, d == 0 ? "_special.txt" : "_special%d.txt", d);
    write_file(name, record("i" + std::to_string(d)));
    std::snprintf(name, sizeof name, d == 0 ? "_1special.txt" : "_1special%d.txt", d);
    write_file(name, record("ro" + std::to_string(d)) + record("ro" + std::to_string(d) + "b"));
  }
  start_app();
  command(CMD_BLOCK_RO);
  for (int d = 0; d < 10; ++d) {
    const std::string ro = "ro" + std::to_string(d);
    const std::vector<menu_entry> expected = {{entry_id(d, 1), ro}, {entry_id(d, 2), ro + "b"}};
    EXPECT_EQ(entries_of(drawer_menus[d]), expected) << d;
  }
  for (int b = 0; b < 5; ++b) EXPECT_EQ(is_checked(clip_menu, CMD_BLOCK_I + b), b == 1) << b;
  EXPECT_EQ(current_block, 1);

  // Choosing the block on show again still reads the files afresh.
  write_file("_1special4.txt", record("changed"));
  command(CMD_BLOCK_RO);
  EXPECT_EQ(entries_of(drawer_menus[4]), (std::vector<menu_entry>{{entry_id(4, 1), "changed"}}));
  EXPECT_EQ(entries_of(drawer_menus[5]).size(), 2u);
}

TEST_F(drawer_menus_test, registering_appends_the_clip_and_lists_it) {
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetFocus(clip_edit);
  set_clip("greeting\nline two");
  command(CMD_REGISTER_2);
  EXPECT_EQ(read_file("_special2.txt"), "greeting\r\nline two\a\r\n");
  EXPECT_EQ(entries_of(drawer_menus[2]), (std::vector<menu_entry>{{entry_id(2, 1), "greeting line two"}}));
  EXPECT_EQ(GetFocus(), scroll_bar);
  // The note window registers into drawer 0; inserting from a missing file creates it.
  register_in_drawer("from a note", 0);
  EXPECT_EQ(read_file("_special.txt"), record("from a note"));
  EXPECT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{entry_id(0, 1), "from a note"}}));
  set_clip("before");
  insert_from_drawer(7, 1);
  EXPECT_TRUE(file_exists("_special7.txt"));
  EXPECT_EQ(clipboard_text(), "");

  command(CMD_BLOCK_HO);
  set_clip("in ho");
  command(CMD_REGISTER_2);
  EXPECT_EQ(read_file("_4special2.txt"), record("in ho"));
  EXPECT_EQ(read_file("_special2.txt"), "greeting\r\nline two\a\r\n");
}

TEST_F(drawer_menus_test, an_empty_registration_stores_a_record_but_no_entry) {
  start_app();
  set_clip("");
  command(CMD_REGISTER_0);
  EXPECT_EQ(read_file("_special.txt"), record(""));
  EXPECT_TRUE(entries_of(drawer_menus[0]).empty());

  // The next entry is numbered by the file, not by the menu: it inserts its own record
  // at once, as it will after a refill.
  set_clip("second");
  command(CMD_REGISTER_0);
  EXPECT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{entry_id(0, 2), "second"}}));
  choose_by_position(main_window, drawer_menus[0], 1);
  EXPECT_EQ(clipboard_text(), "second");
}

struct registration_case {
  int drawer;
  int records_before;
  int id_after;
};

// The entry is numbered by the file's records, whatever the menu lists: a full menu of a
// long file, and a file whose new record lies past the drawer's identifier range.
TEST_F(drawer_menus_test, a_registration_is_numbered_by_the_drawer_file_and_trims_nothing) {
  const registration_case cases[] = {{5, 150, entry_id(5, 151)}, {7, 1499, parked_entry_id}};
  char name[32];
  for (const registration_case& c : cases) {
    std::snprintf(name, sizeof name, "_special%d.txt", c.drawer);
    write_file(name, numbered_records(c.records_before, "r"));
  }
  start_app();
  for (const registration_case& c : cases) {
    SCOPED_TRACE(c.records_before);
    HMENU menu = drawer_menus[c.drawer];
    ASSERT_EQ(GetMenuItemCount(menu), 101);
    set_clip("newest");
    command(CMD_REGISTER_0 + c.drawer);
    const std::vector<menu_entry> listed = entries_of(menu);
    ASSERT_EQ(listed.size(), 101u);
    EXPECT_EQ(listed.front().label, "r" + std::to_string(c.records_before - 99));
    EXPECT_EQ(listed.back(), (menu_entry{c.id_after, "newest"}));
    std::snprintf(name, sizeof name, "_special%d.txt", c.drawer);
    EXPECT_EQ(read_file(name), numbered_records(c.records_before, "r") + record("newest"));
    set_clip("other");
    choose_by_position(main_window, menu, 101);
    EXPECT_EQ(clipboard_text(), "newest");
    EXPECT_STREQ(clip_text, "newest");
  }
}

TEST_F(drawer_menus_test, choosing_an_entry_inserts_its_record_without_affixes) {
  write_file("_special1.txt", record("one") + record("two"));
  std::string nine;
  for (int i = 1; i <= 1499; ++i) nine += record("n" + std::to_string(i));
  write_file("_special9.txt", nine);
  start_app();
  HWND affix = make_plain_window("START ");
  start_window = affix;
  start_state = 1;

  command(22501);
  EXPECT_EQ(clipboard_text(), "one");
  EXPECT_STREQ(clip_text, "one");
  EXPECT_EQ(window_text(main_window).rfind("one ", 0), 0u);

  command(35999);
  EXPECT_EQ(clipboard_text(), "n1499");
  ASSERT_EQ(GetMenuItemCount(drawer_menus[9]), 101);
  choose_by_position(main_window, drawer_menus[9], 1);
  EXPECT_EQ(clipboard_text(), "n1400");

  start_state = -1;
  start_window = nullptr;
  DestroyWindow(affix);
}

TEST_F(drawer_menus_test, a_genre_entry_and_a_drawer_entry_with_one_identifier_each_do_their_own_job) {
  write_file("dovane_clip.ini", "[init]\r\nspname=2\r\n[special]\r\n1=A\r\n2=B\r\n");
  write_file("_B6.txt", numbered_records(1001, "b"));  // record 1001 of drawer 6 is 31001
  write_file("_A6.txt", record("a1"));
  start_app();
  ASSERT_EQ(genre_number, 2);
  const int drawer_position = GetMenuItemCount(drawer_menus[6]) - 1;
  ASSERT_EQ(static_cast<int>(GetMenuItemID(drawer_menus[6], drawer_position)), 31001);
  ASSERT_EQ(static_cast<int>(GetMenuItemID(genre_menu, 1)), 31001);

  choose_by_position(main_window, drawer_menus[6], drawer_position);
  EXPECT_EQ(clipboard_text(), "b1001");
  EXPECT_EQ(genre_number, 2);
  EXPECT_STREQ(genre_name, "B");

  set_clip("untouched");
  choose_by_position(main_window, genre_menu, 1);
  EXPECT_EQ(genre_number, 1);
  EXPECT_STREQ(genre_name, "A");
  EXPECT_EQ(clipboard_text(), "b1001");
  EXPECT_EQ(entries_of(drawer_menus[6]), (std::vector<menu_entry>{{entry_id(6, 1), "a1"}}));
}

TEST_F(drawer_menus_test, a_real_menu_choice_reaches_the_entry_it_came_from) {
  write_file("dovane_clip.ini", "[init]\r\nspname=2\r\n[special]\r\n1=A\r\n2=B\r\n");
  write_file("_B6.txt", numbered_records(1001, "b"));
  start_app();
  ShowWindow(main_window, SW_SHOWNORMAL);
  SetForegroundWindow(main_window);
  // Keys queued before the menu opens are read by its own loop: down to the first
  // genre, then Return.
  PostMessageA(main_window, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(main_window, WM_KEYDOWN, VK_RETURN, 0);
  TrackPopupMenu(genre_menu, TPM_LEFTALIGN, 10, 10, 0, main_window, nullptr);
  pump();
  EXPECT_EQ(genre_number, 1);
  EXPECT_STREQ(genre_name, "A");
  EXPECT_NE(GetClipboardOwner(), main_window);  // nothing was inserted
}

TEST_F(drawer_menus_test, other_entries_of_the_drawer_menu_keep_their_command) {
  start_app();
  popup_menu = ring_menu;
  const int standard_position = GetMenuItemCount(drawer_menu) - 1;
  ASSERT_EQ(static_cast<int>(GetMenuItemID(drawer_menu, standard_position)), CMD_POPUP_STANDARD);
  choose_by_position(main_window, drawer_menu, standard_position);
  EXPECT_EQ(popup_menu, clip_menu);
}

// The refill reads every drawer file; the clip on show is not one of their records.
TEST_F(drawer_menus_test, block_and_genre_changes_leave_the_clip_as_it_was) {
  write_file("dovane_clip.ini", "[init]\r\n[special]\r\n1=A\r\n2=B\r\n");
  // Files without a final separator leave their last record in the reader's buffer.
  for (const char* name : {"_A9.txt", "_1A9.txt", "_B9.txt", "_B.txt"}) write_file(name, record("x") + "tail");
  start_app();
  set_clip("my clip");
  command(CMD_BLOCK_RO);
  EXPECT_STREQ(clip_text, "my clip");
  choose_by_position(main_window, genre_menu, 2);
  EXPECT_STREQ(clip_text, "my clip");
  command(31001);
  EXPECT_STREQ(genre_name, "A");
  EXPECT_STREQ(clip_text, "my clip");
  EXPECT_EQ(entries_of(drawer_menus[9]), (std::vector<menu_entry>{{entry_id(9, 1), "x"}, {entry_id(9, 2), "tail"}}));
}

}  // namespace
