#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "app/res/resource_ids.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/history_streams.h"
#include "history/record_file.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

using entries = std::vector<std::pair<UINT, std::string>>;

using clip_menus_test = app_test;

TEST_F(clip_menus_test, history_menu_with_limit_ten_keeps_the_newest_ten_of_twelve_captures) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\nhis max=10\r\n");
  start_app();
  ASSERT_EQ(history_menu_max, 10);
  for (int i = 1; i <= 12; ++i) copy_from_other_program("capture " + std::to_string(i));
  entries expected;
  for (int i = 3; i <= 12; ++i) expected.emplace_back(1000 + i, "capture " + std::to_string(i));
  EXPECT_EQ(menu_entries(history_menu), expected);
}

TEST_F(clip_menus_test, empty_labels_add_nothing_but_count_toward_the_limit) {
  start_app();
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  int counter = 0;
  add_clip_to_menu(menu, 1000, 1, "one", 2, counter);
  add_clip_to_menu(menu, 1000, 2, "", 2, counter);
  EXPECT_EQ(counter, 2);
  EXPECT_EQ(menu_entries(menu), (entries{{1001, "one"}}));
  // The third offer passes the limit and removes the oldest entry, even with no label.
  add_clip_to_menu(menu, 1000, 3, "", 2, counter);
  EXPECT_TRUE(menu_entries(menu).empty());
  add_clip_to_menu(menu, 1000, 4, "a\tb and a long tail past twenty", 100, counter);
  EXPECT_EQ(menu_entries(menu), (entries{{1004, "a.b and a long tail "}}));
  DestroyMenu(menu);
}

// Another program copies while the user has a clip menu open: the menu's choice, which
// comes by position after the menu has closed, still puts back the clip shown there, and
// the new clip enters the menu after it. Without holding, the capture would drop the
// oldest entry and the position would name the next clip.
TEST_F(clip_menus_test, a_capture_while_a_menu_is_open_waits_until_the_menus_choice_has_run) {
  write_file("dovane_clip.ini", "[init]\r\nsave=history\r\nhis max=10\r\n");
  start_app();
  for (int i = 1; i <= 12; ++i) copy_from_other_program("clip " + std::to_string(i));
  const int count = GetMenuItemCount(history_menu);
  SendMessageA(main_window, WM_ENTERMENULOOP, FALSE, 0);
  copy_from_other_program("copied meanwhile");
  EXPECT_EQ(menu_labels(history_menu, count - 1), (std::vector<std::string>{"clip 12"}));
  // The menu posts its choice before it says it closed.
  PostMessageA(main_window, WM_MENUCOMMAND, static_cast<WPARAM>(count - 2), reinterpret_cast<LPARAM>(history_menu));
  SendMessageA(main_window, WM_EXITMENULOOP, FALSE, 0);
  pump();
  EXPECT_EQ(clipboard_text(), "clip 11");
  EXPECT_EQ(GetMenuItemCount(history_menu), count);
  EXPECT_EQ(menu_labels(history_menu, count - 2), (std::vector<std::string>{"clip 12", "copied meanwhile"}));
}

// The same with a full ring: a new clip takes the slot of the oldest clip, which the ring
// menu stops listing first; a second copy while the menu (or the shortcut's list) is open
// would take the slot of the oldest clip it still shows.
TEST_F(clip_menus_test, a_capture_while_a_menu_is_open_leaves_the_full_rings_oldest_clip_in_its_slot) {
  start_app();
  for (int i = 1; i <= 52; ++i) copy_from_other_program("clip " + std::to_string(i));
  std::vector<std::string> listed = menu_labels(ring_menu, first_ring_entry);
  ASSERT_EQ(listed.back(), "clip 52");
  SendMessageA(main_window, WM_ENTERMENULOOP, FALSE, 0);
  copy_from_other_program("copied meanwhile");
  copy_from_other_program("copied after it");
  PostMessageA(main_window, WM_MENUCOMMAND, static_cast<WPARAM>(first_ring_entry), reinterpret_cast<LPARAM>(ring_menu));
  SendMessageA(main_window, WM_EXITMENULOOP, FALSE, 0);
  pump();
  EXPECT_EQ(clipboard_text(), listed.front());
  listed.erase(listed.begin(), listed.begin() + 2);
  listed.insert(listed.end(), {"copied meanwhile", "copied after it"});
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), listed);
  EXPECT_NE(read_file("tmpclipsave.txt").find("copied after it"), std::string::npos);
}

struct id_case {
  int base;
  int number;
  int id;
};

// Each kind keeps the identifiers the commands by id reach; past its range an entry is
// parked, never given an identifier of another range or of a fixed command.
TEST(clip_entry_ids, stay_in_their_own_range_or_are_parked) {
  const id_case cases[] = {
      {1000, 1, 1001},          {1000, 5999, 6999},         {1000, 6000, parked_entry_id},
      {1000, 10005, parked_entry_id}, {1000, 39005, parked_entry_id}, {1000, 0, parked_entry_id},
      {11000, 5999, 16999},     {11000, 29005, parked_entry_id},
      {21000, 1499, 22499},     {21000, 1500, parked_entry_id},  {34500, 1, 34501},
      {34500, 1499, 35999},     {34500, 5505, parked_entry_id},  {36000, 1, parked_entry_id},
      {45000, 0, 45000},        {45000, 49, 45049},              {45000, 50, parked_entry_id},
  };
  for (const id_case& c : cases) EXPECT_EQ(clip_entry_id(c.base, c.number), c.id) << c.base << " + " << c.number;
}

// A long-used installation, written in one go: 60,000 history records listed up to
// 6000 at a time, re-use entries past record 10000, a drawer of 2000 records, and a
// drawer entry that shares its identifier with a genre entry.
class large_menus_test : public app_test {
 protected:
  static std::string numbered(const char* prefix, int first, int last) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(last - first + 1) * 10);
    for (int n = first; n <= last; ++n) bytes += prefix + std::to_string(n) + "\a\r\n";
    return bytes;
  }
  void SetUp() override {
    app_test::SetUp();
    write_file("dovane_clip.ini",
               "[init]\r\nmax=100000\r\nhis max=6000\r\nsave=history\r\n"
               "[special]\r\n1=special\r\n2=B\r\n3=C\r\n4=D\r\n");
    write_file("_clip.txt", numbered("h", 1, 60000));
    // Under the old numbering 29005 was the end command and 10005 a drawer record.
    write_file("_recycle_index.txt", "29005\r\n10005\r\n59999\r\n3\r\n");
    write_file("_special.txt", numbered("d", 1, 2000));
    write_file("_special6.txt", numbered("s", 1, 1050));
    start_app();
  }
  void choose(HMENU menu, int position) {
    SendMessageA(main_window, WM_MENUCOMMAND, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(menu));
  }
  std::string label_at(HMENU menu, int position) {
    return menu_string(menu, static_cast<UINT>(position), MF_BYPOSITION);
  }
  // Chosen as the platform reports it, the entry outputs the record its label shows.
  void expect_choice_outputs_its_label(HMENU menu, int position) {
    const std::string label = label_at(menu, position);
    ASSERT_FALSE(label.empty()) << position;
    choose(menu, position);
    EXPECT_EQ(clipboard_text(), label) << "position " << position;
    ASSERT_TRUE(IsWindow(main_window)) << "position " << position;
  }
};

TEST_F(large_menus_test, every_kind_of_entry_outputs_the_record_its_label_shows) {
  ASSERT_EQ(data_max, 100000);
  ASSERT_EQ(history_count, 60000);
  ASSERT_EQ(GetMenuItemCount(history_menu), 6001);
  ASSERT_EQ(label_at(history_menu, 1), "h54001");
  for (int position : {1, 2, 3001, 5999, 6000}) expect_choice_outputs_its_label(history_menu, position);
  EXPECT_EQ(current_index, 60000);

  // The index's four entries, then one per history choice.
  ASSERT_EQ(GetMenuItemCount(recycle_menu), 1 + 4 + 5);
  EXPECT_EQ(label_at(recycle_menu, 1), "h29005");
  EXPECT_EQ(label_at(recycle_menu, 9), "h60000");
  for (int position = 1; position <= 9; ++position) expect_choice_outputs_its_label(recycle_menu, position);
  EXPECT_EQ(GetMenuItemCount(recycle_menu), 10) << "re-use choices record no new re-use";

  ASSERT_EQ(GetMenuItemCount(drawer_menus[0]), 101);
  EXPECT_EQ(label_at(drawer_menus[0], 1), "d1901");
  for (int position : {1, 50, 100}) expect_choice_outputs_its_label(drawer_menus[0], position);
  // A clip more: the oldest entry goes, not the item before the entries.
  const UINT first_item = GetMenuItemID(history_menu, 0);
  copy_from_other_program("h60001");
  EXPECT_EQ(GetMenuItemID(history_menu, 0), first_item);
  EXPECT_EQ(label_at(history_menu, 1), "h54002");
}

TEST_F(large_menus_test, no_entry_carries_a_fixed_command_and_parked_commands_do_nothing) {
  HMENU clip_entry_menus[] = {history_menu, recycle_menu, drawer_menus[0], drawer_menus[6]};
  for (HMENU menu : clip_entry_menus) {
    for (int p = 1; p < GetMenuItemCount(menu); ++p) {
      const int id = static_cast<int>(GetMenuItemID(menu, p));
      const bool own_range = (menu == history_menu && id > 1000 && id < 7000) ||
                             (menu == recycle_menu && id > 11000 && id < 17000) ||
                             (menu == drawer_menus[0] && id > 21000 && id < 22500) ||
                             (menu == drawer_menus[6] && id > 30000 && id < 31500);
      EXPECT_TRUE(own_range || id == parked_entry_id) << label_at(menu, p) << " has " << id;
    }
  }
  EXPECT_EQ(GetMenuItemID(recycle_menu, 1), static_cast<UINT>(parked_entry_id));
  EXPECT_EQ(GetMenuItemID(recycle_menu, 4), 11003u);

  command(parked_entry_id);
  EXPECT_EQ(clipboard_text(), "");
  EXPECT_EQ(current_index, 60001);
  EXPECT_TRUE(IsWindow(main_window));
  EXPECT_EQ(ini_value("init", "mode"), "<missing>") << "nothing was saved by a shutdown";

  // Commands by identifier keep their meaning where the ranges reach.
  command(11003);
  EXPECT_EQ(clipboard_text(), "h3");
}

// Every menu the popup can show, and the menu bar, report choices by holding menu and
// position; the submenus too, for platforms that read the style from them.
TEST_F(clip_menus_test, every_menu_reports_choices_by_position) {
  start_app();
  HMENU menus[] = {menu_bar, clip_menu, ring_menu, drawer_menu, history_menu, recycle_menu,
                   genre_menu, drawer_menus[0], drawer_menus[9], control_menu};
  for (HMENU menu : menus) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    ASSERT_TRUE(GetMenuInfo(menu, &info));
    EXPECT_TRUE(info.dwStyle & MNS_NOTIFYBYPOS) << menu;
  }
  // A fixed command reached by position runs as its identifier says.
  choose_popup(ring_menu);
  SendMessageA(main_window, WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(ring_menu));
  EXPECT_EQ(popup_menu, clip_menu);
}

}  // namespace
