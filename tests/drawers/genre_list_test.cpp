#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "settings/settings_values.h"
#include "tests/drawers/drawer_fixture.h"

namespace {

using genre_list_test = app_test;

std::vector<std::string> genre_labels() {
  std::vector<std::string> labels;
  for (const menu_entry& entry : entries_of(genre_menu)) labels.push_back(entry.label);
  return labels;
}

std::string list_ini(const std::string& init, const std::string& special) {
  return "[init]\r\n" + init + "[special]\r\n" + special;
}

// The exit writes back only the keys it owns: the rest of the list and unknown keys stay.
TEST_F(genre_list_test, the_list_ends_at_the_first_missing_key_and_the_exit_keeps_the_rest) {
  write_file("dovane_clip.ini", list_ini("tagsavelimit sec=30\r\ntagA=<b>\r\n", "1=A\r\n2=B\r\n4=D\r\n"));
  start_app();
  EXPECT_EQ(genre_labels(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(static_cast<int>(GetMenuItemID(genre_menu, 2)), 31002);
  EXPECT_EQ(genre_count, 2);
  close_app();
  EXPECT_EQ(ini_value("special", "1"), "A");
  EXPECT_EQ(ini_value("special", "2"), "B");
  EXPECT_EQ(ini_value("special", "3"), "<missing>");
  EXPECT_EQ(ini_value("special", "4"), "D");
  EXPECT_EQ(ini_value("init", "tagsavelimit sec"), "30");
  EXPECT_EQ(ini_value("init", "tagA"), "<b>");
}

TEST_F(genre_list_test, no_list_offers_the_default_genre) {
  start_app();
  EXPECT_EQ(genre_labels(), (std::vector<std::string>{"special"}));
  EXPECT_EQ(genre_count, 1);
  EXPECT_STREQ(genre_name, "special");
  EXPECT_TRUE(is_checked(genre_menu, 31001));
}

struct start_case {
  const char* label;
  const char* spname;
  const char* list;
  int number;
  const char* name;
};

class start_up_genre_test : public app_test, public ::testing::WithParamInterface<start_case> {};

TEST_P(start_up_genre_test, is_the_stored_genre_when_the_list_has_it_else_genre_1) {
  const start_case& c = GetParam();
  write_file("dovane_clip.ini", list_ini(std::string("spname=") + c.spname + "\r\n", c.list));
  start_app();
  EXPECT_EQ(genre_number, c.number);
  EXPECT_STREQ(genre_name, c.name);
  for (int k = 1; k <= genre_count; ++k) EXPECT_EQ(is_checked(genre_menu, 31000 + k), k == c.number) << k;
}

INSTANTIATE_TEST_SUITE_P(spname, start_up_genre_test,
                         ::testing::Values(start_case{"stored_2_of_3", "2", "1=A\r\n2=B\r\n3=C\r\n", 2, "B"},
                                           start_case{"stored_3_of_3", "3", "1=A\r\n2=B\r\n3=C\r\n", 3, "C"},
                                           start_case{"past_the_list", "4", "1=A\r\n2=B\r\n3=C\r\n", 1, "A"},
                                           start_case{"zero", "0", "1=A\r\n2=B\r\n", 1, "A"},
                                           start_case{"negative", "-1", "1=A\r\n2=B\r\n", 1, "A"},
                                           start_case{"no_list", "3", "", 1, "special"}),
                         [](const ::testing::TestParamInfo<start_case>& info) {
                           return std::string(info.param.label);
                         });

TEST_F(genre_list_test, choosing_a_genre_goes_to_block_i_and_refills_from_its_files) {
  write_file("dovane_clip.ini", list_ini("", "1=A\r\n2=B\r\n"));
  for (const char* name : {"_A3.txt", "_2A3.txt", "_2B3.txt"}) write_file(name, record(name));
  write_file("_B3.txt", record("B block i"));
  write_file("_B.txt", record("B drawer 0"));
  start_app();
  command(CMD_BLOCK_HA);
  ASSERT_EQ(entries_of(drawer_menus[3]).front().label, "_2A3.txt");

  choose_by_position(main_window, genre_menu, 2);
  EXPECT_EQ(genre_number, 2);
  EXPECT_STREQ(genre_name, "B");
  EXPECT_EQ(current_block, 0);
  for (int b = 0; b < 5; ++b) EXPECT_EQ(is_checked(clip_menu, CMD_BLOCK_I + b), b == 0) << b;
  EXPECT_FALSE(is_checked(genre_menu, 31001));
  EXPECT_TRUE(is_checked(genre_menu, 31002));
  EXPECT_EQ(entries_of(drawer_menus[3]), (std::vector<menu_entry>{{21000 + 3 * 1500 + 1, "B block i"}}));
  EXPECT_EQ(entries_of(drawer_menus[0]), (std::vector<menu_entry>{{21001, "B drawer 0"}}));

  close_app();
  EXPECT_EQ(ini_value("init", "spname"), "2");
}

TEST_F(genre_list_test, long_names_in_the_settings_file_are_cut_on_a_whole_character) {
  std::string kana16;
  for (int i = 0; i < 16; ++i) kana16 += "あ";
  const std::string ascii40(40, 'g');
  write_file("dovane_clip.ini", list_ini("", "1=" + ascii40 + "\r\n2=" + kana16 + "\r\n3=R&D\r\n"));
  start_app();
  EXPECT_EQ(genre_labels(), (std::vector<std::string>{ascii40.substr(0, 31), kana16.substr(0, 30), "R&D"}));
  EXPECT_EQ(std::string(genre_name), ascii40.substr(0, 31));

  // The "&" underlines in the menu but stays part of the name and its files.
  write_file("_R&D.txt", record("rnd"));
  choose_by_position(main_window, genre_menu, 3);
  EXPECT_STREQ(genre_name, "R&D");
  EXPECT_EQ(entries_of(drawer_menus[0]).size(), 1u);
}

}  // namespace
