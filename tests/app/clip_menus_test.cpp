#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

struct entry {
  UINT id;
  std::string label;
  bool operator==(const entry& other) const { return id == other.id && label == other.label; }
};

std::vector<entry> entries_after_separator(HMENU menu) {
  std::vector<entry> entries;
  for (int position = 1; position < GetMenuItemCount(menu); ++position) {
    char label[64];
    GetMenuStringA(menu, position, label, sizeof label, MF_BYPOSITION);
    entries.push_back({GetMenuItemID(menu, position), label});
  }
  return entries;
}

using clip_menus_test = app_test;

TEST_F(clip_menus_test, history_menu_with_limit_ten_keeps_the_newest_ten_of_twelve_captures) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\nhis max=10\r\n");
  start_app();
  ASSERT_EQ(history_menu_max, 10);
  for (int i = 1; i <= 12; ++i) copy_from_other_program("capture " + std::to_string(i));
  std::vector<entry> expected;
  for (int i = 3; i <= 12; ++i) expected.push_back({static_cast<UINT>(1000 + i), "capture " + std::to_string(i)});
  EXPECT_EQ(entries_after_separator(history_menu), expected);
}

TEST_F(clip_menus_test, empty_labels_add_nothing_but_count_toward_the_limit) {
  start_app();
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  int counter = 0;
  add_clip_to_menu(menu, 1000, 1, "one", 2, counter);
  add_clip_to_menu(menu, 1000, 2, "", 2, counter);
  EXPECT_EQ(counter, 2);
  EXPECT_EQ(entries_after_separator(menu), (std::vector<entry>{{1001, "one"}}));
  // The third offer passes the limit and removes the oldest entry, even with no label.
  add_clip_to_menu(menu, 1000, 3, "", 2, counter);
  EXPECT_TRUE(entries_after_separator(menu).empty());
  add_clip_to_menu(menu, 1000, 4, "a\tb and a long tail past twenty", 100, counter);
  EXPECT_EQ(entries_after_separator(menu), (std::vector<entry>{{1004, "a.b and a long tail "}}));
  DestroyMenu(menu);
}

}  // namespace
