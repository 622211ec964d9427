#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "drawers/drawer_names.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"
#include "text/file_faults.h"

namespace {

class maintenance_test : public app_test {
 protected:
  void start_with(const std::string& history) {
    write_file("_clip.txt", history);
    start_app();
  }
};

using entries = std::vector<std::pair<UINT, std::string>>;

TEST_F(maintenance_test, a_history_of_data_max_plus_20_is_left_as_it_is) {
  write_file("_recycle_index.txt", "505\r\n12\r\n");
  start_with(numbered_records(1, 520));
  EXPECT_EQ(history_count, 520);
  EXPECT_EQ(current_index, 521);
  EXPECT_FALSE(file_exists("1_clip_bak.txt"));
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(1, 520));
  EXPECT_EQ(read_file("_recycle_index.txt"), "505\r\n12\r\n");
}

TEST_F(maintenance_test, one_record_more_moves_the_oldest_data_max_into_a_new_backup) {
  write_file("_recycle_index.txt", "505\r\n12\r\n");
  start_with(numbered_records(1, 521));
  EXPECT_EQ(read_file("1_clip_bak.txt"), numbered_records(1, 500));
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(501, 521));
  EXPECT_EQ(history_count, 21);
  EXPECT_EQ(current_index, 22);
  EXPECT_EQ(ini_value("init", "back num"), "1");
  // Re-use entries follow their records; those that went into the backup leave.
  EXPECT_EQ(read_file("_recycle_index.txt"), "5\r\n");
  EXPECT_FALSE(file_exists("0_clip_bak.txt"));
  EXPECT_FALSE(file_exists("recycletmp.txt"));
  // The menu built after compaction numbers the kept records from 1.
  command(1000 + 21);
  EXPECT_EQ(clipboard_text(), "r521");
}

TEST_F(maintenance_test, the_backup_takes_the_next_number_after_the_saved_one) {
  write_file("dovane_clip.ini", "[init]\r\nback num=4\r\n");
  start_with(numbered_records(1, 600));
  EXPECT_EQ(read_file("5_clip_bak.txt"), numbered_records(1, 500));
  EXPECT_EQ(ini_value("init", "back num"), "5");
}

TEST_F(maintenance_test, hostile_settings_and_index_lines_cannot_destroy_records) {
  // A backup numbered 0 would be the keep file's name; a huge maximum must not overflow
  // into a compaction at every start; a stray line must not drop the entries after it.
  write_file("dovane_clip.ini", "[init]\r\nback num=-1\r\n");
  write_file("_recycle_index.txt", "505\r\nnot a number\r\n507\r\n");
  start_with(numbered_records(1, 521));
  EXPECT_EQ(read_file("1_clip_bak.txt"), numbered_records(1, 500));
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(501, 521));
  EXPECT_EQ(read_file("_recycle_index.txt"), "5\r\n7\r\n");
  EXPECT_FALSE(file_exists("0_clip_bak.txt"));
}

TEST_F(maintenance_test, the_largest_maximum_leaves_a_history_alone) {
  write_file("dovane_clip.ini", "[init]\r\nmax=2147483647\r\n");
  start_with(numbered_records(1, 521));
  EXPECT_EQ(data_max, highest_data_max);
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(1, 521));
  EXPECT_FALSE(file_exists("1_clip_bak.txt"));
}

TEST_F(maintenance_test, an_existing_backup_is_never_written_over_when_the_settings_are_lost) {
  write_file("1_clip_bak.txt", "older backup\a\r\n");
  start_with(numbered_records(1, 521));
  EXPECT_EQ(read_file("1_clip_bak.txt"), "older backup\a\r\n");
  EXPECT_EQ(read_file("2_clip_bak.txt"), numbered_records(1, 500));
  EXPECT_EQ(ini_value("init", "back num"), "2");
}

TEST_F(maintenance_test, the_history_menu_lists_the_newest_records_newest_last) {
  write_file("dovane_clip.ini", "[init]\r\nhis max=10\r\n");
  start_with(numbered_records(1, 15));
  const entries expected = {{1006, "r6"},  {1007, "r7"},  {1008, "r8"},  {1009, "r9"},  {1010, "r10"},
                            {1011, "r11"}, {1012, "r12"}, {1013, "r13"}, {1014, "r14"}, {1015, "r15"}};
  EXPECT_EQ(menu_entries(history_menu), expected);
}

// The fill looks at the last 6000 records and lists the newest "his max" of them.
class long_history_menu_test : public maintenance_test, public ::testing::WithParamInterface<int> {};

TEST_P(long_history_menu_test, lists_the_newest_records_of_the_last_6000) {
  const int his_max = GetParam();
  const std::string settings = "[init]\r\nmax=10000\r\nhis max=" + std::to_string(his_max) + "\r\n";
  write_file("dovane_clip.ini", settings);
  start_with(numbered_records(1, 6100));
  std::vector<std::string> expected;
  for (int n = 6100 - std::min(his_max, 6000) + 1; n <= 6100; ++n) expected.push_back("r" + std::to_string(n));
  EXPECT_EQ(menu_labels(history_menu, 1), expected);
  EXPECT_EQ(history_count, 6100);
}

INSTANTIATE_TEST_SUITE_P(his_max, long_history_menu_test, ::testing::Values(5990, 6000, 6010));

TEST_F(maintenance_test, empty_records_count_toward_the_history_menu_limit_as_they_are_offered) {
  write_file("dovane_clip.ini", "[init]\r\nhis max=10\r\n");
  std::vector<std::string> texts;
  for (int n = 1; n <= 15; ++n) texts.push_back(n == 2 || n == 12 || n == 13 ? "" : "r" + std::to_string(n));
  start_with(records_on_disk(texts));
  // Fifteen offers make five trims, three of them after empty offers: seven entries stay.
  const entries expected = {{1007, "r7"},   {1008, "r8"},   {1009, "r9"},  {1010, "r10"},
                            {1011, "r11"}, {1014, "r14"}, {1015, "r15"}};
  EXPECT_EQ(menu_entries(history_menu), expected);
  EXPECT_EQ(history_menu_count, 15);
}

TEST_F(maintenance_test, the_reuse_menu_is_filled_from_the_index_in_its_order) {
  write_file("_recycle_index.txt", "3\r\n3\r\n7\r\n");
  start_with(numbered_records(1, 10));
  const entries expected = {{11003, "r3"}, {11003, "r3"}, {11007, "r7"}};
  EXPECT_EQ(menu_entries(recycle_menu), expected);
  EXPECT_EQ(current_index, 11);
}

TEST_F(maintenance_test, a_long_history_lists_its_reuse_entries_as_reading_from_the_top_would) {
  constexpr int records = 50000;
  // In the index's order, duplicates kept; 0 and below show the newest record; past the
  // end shows the empty end position (no entry, still counted); more than 100 trim.
  std::vector<int> numbers = {17, 17, 0, -3, records, records + 1, records - 1, 1};
  for (int i = 0; numbers.size() < 106; ++i) numbers.push_back(1 + (i * 7919) % records);
  std::string index;
  for (int n : numbers) index += std::to_string(n) + "\r\n";
  write_file("_recycle_index.txt", index);
  write_file("dovane_clip.ini", "[init]\r\nmax=100000\r\n");
  start_with(numbered_records(1, records));

  entries expected;
  std::string last_shown;
  int counter = 0;
  for (int n : numbers) {
    const int shown = n < 1 ? records : n > records ? records + 1 : n;
    last_shown = shown > records ? "" : "r" + std::to_string(shown);
    if (!last_shown.empty()) expected.push_back({static_cast<UINT>(clip_entry_id(recycle_id_base, shown)), last_shown});
    if (++counter > 100 && !expected.empty()) expected.erase(expected.begin());
  }
  EXPECT_EQ(menu_entries(recycle_menu), expected);
  EXPECT_EQ(window_text(clip_edit), last_shown);
  EXPECT_EQ(current_index, records + 1);
  EXPECT_EQ(history_count, records);
}

TEST_F(maintenance_test, an_index_number_past_the_history_adds_no_entry) {
  write_file("_recycle_index.txt", "2 99\r\n4\r\n");
  start_with(numbered_records(1, 5));
  const entries expected = {{11002, "r2"}, {11004, "r4"}};
  EXPECT_EQ(menu_entries(recycle_menu), expected);
}

TEST_F(maintenance_test, compaction_drops_an_index_entry_that_would_become_0_and_keeps_the_one_above) {
  write_file("_recycle_index.txt", "500\r\n501\r\n2147483647\r\n99999999999\r\n");
  start_with(numbered_records(1, 521));
  std::istringstream index(read_file("_recycle_index.txt"));
  std::vector<long long> numbers;
  for (long long number; index >> number;) numbers.push_back(number);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.front(), 1);
  for (long long number : numbers) EXPECT_GT(number, 0);
  // Numbers past any history add no entry, before or after renumbering.
  const entries expected = {{11001, "r501"}};
  EXPECT_EQ(menu_entries(recycle_menu), expected);
}

// The index held by another program through a compaction: the run's re-uses go into the
// renumbered copy, which the next start puts in place with all of them.
TEST_F(maintenance_test, reuses_after_a_failed_index_swap_are_kept_by_the_next_start) {
  write_file("_recycle_index.txt", "505\r\n12\r\n");
  plant_file_fault(file_step::replace, "_recycle_index.txt");
  start_with(numbered_records(1, 521));
  for (int chosen : {9, 15}) command(1000 + chosen);
  EXPECT_EQ(read_file("_recycle_index.txt"), "505\r\n12\r\n");
  EXPECT_EQ(read_file("recycle_pending.txt"), "5\r\n9\r\n15\r\n");
  const entries listed = {{11005, "r505"}, {11009, "r509"}, {11015, "r515"}};
  EXPECT_EQ(menu_entries(recycle_menu), listed);

  plant_file_fault(file_step::none, "");
  close_app();
  start_app();
  EXPECT_EQ(read_file("_recycle_index.txt"), "5\r\n9\r\n15\r\n");
  EXPECT_FALSE(file_exists("recycle_pending.txt"));
  EXPECT_EQ(menu_entries(recycle_menu), listed);
  EXPECT_EQ(count_records("_recycle.txt"), 2);
}

// A pending copy replaces the index only when it is an index of this history; another is
// kept aside, unused, and the user is told.
TEST_F(maintenance_test, a_pending_index_is_checked_before_it_replaces_the_index) {
  std::string garbage;
  for (int n = 0; n < 3000; ++n) garbage += static_cast<char>((n * 7919 + 13) % 256);
  struct pending_case {
    const char* name;
    std::string pending;
    bool refused;
  };
  const pending_case cases[] = {
      {"good", "3\r\n21\r\n", false},
      {"garbage", garbage, true},
      {"out of range", "3\r\n22\r\n", true},
  };
  for (const pending_case& c : cases) {
    SCOPED_TRACE(c.name);
    clear_status_note();
    DeleteFileA("recycle_pending_refused.txt");
    write_file("_recycle_index.txt", "7\r\n");
    write_file("recycle_pending.txt", c.pending);
    start_with(numbered_records(1, 21));
    EXPECT_FALSE(file_exists("recycle_pending.txt"));
    EXPECT_EQ(read_file("_recycle_index.txt"), c.refused ? "7\r\n" : c.pending);
    EXPECT_EQ(file_exists("recycle_pending_refused.txt") ? read_file("recycle_pending_refused.txt") : "", c.refused ? c.pending : "");
    EXPECT_EQ(std::string(status_note()).find("recycle_pending.txt") != std::string::npos, c.refused);
    close_app();
  }
}

TEST_F(maintenance_test, choosing_history_entries_records_each_change_of_choice_as_a_reuse) {
  start_with(numbered_records(1, 10));
  for (int chosen : {3, 3, 7, 3}) command(1000 + chosen);
  EXPECT_EQ(read_file("_recycle.txt"), records_on_disk({"r3", "r7", "r3"}));
  EXPECT_EQ(read_file("_recycle_index.txt"), "3\r\n7\r\n3\r\n");
  const entries expected = {{11003, "r3"}, {11007, "r7"}, {11003, "r3"}};
  EXPECT_EQ(menu_entries(recycle_menu), expected);
  EXPECT_EQ(last_reused_index, 3);
}

TEST_F(maintenance_test, appending_writes_through_at_once_and_lists_the_text) {
  start_with(numbered_records(1, 2));
  append_to_history("new one");
  // On disk before any close: a crash must not lose it.
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(1, 2) + "new one\a\r\n");
  EXPECT_EQ(history_count, 3);
  EXPECT_EQ(current_index, 3);
  const entries listed = menu_entries(history_menu);
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed.back(), (std::pair<UINT, std::string>{1003, "new one"}));
}

TEST_F(maintenance_test, reset_returns_from_the_reuse_view_to_the_history_at_its_end) {
  write_file("_recycle.txt", records_on_disk({"a", "b"}));
  start_with(numbered_records(1, 7));
  command(CMD_RECYCLE);
  EXPECT_STREQ(history_file, "_recycle.txt");
  EXPECT_EQ(history_count, 2);
  EXPECT_EQ(current_index, 3);
  command(CMD_RESET);
  EXPECT_STREQ(history_file, "_clip.txt");
  EXPECT_EQ(history_count, 7);
  EXPECT_EQ(current_index, 8);
  EXPECT_STREQ(clip_text, "");
}

TEST_F(maintenance_test, viewing_a_stem_with_no_file_creates_it_and_shows_an_empty_history) {
  start_with(numbered_records(1, 4));
  command(CMD_SPECIAL);
  EXPECT_STREQ(history_file, block_stems[current_block]);
  EXPECT_TRUE(file_exists(block_stems[current_block]));
  EXPECT_EQ(read_file(block_stems[current_block]), "");
  EXPECT_EQ(history_count, 0);
  EXPECT_EQ(current_index, 1);
  EXPECT_STREQ(clip_text, "");
}

TEST_F(maintenance_test, while_another_file_is_on_view_appends_still_go_to_the_history) {
  write_file("_recycle.txt", records_on_disk({"a", "b"}));
  start_with(numbered_records(1, 3));
  command(CMD_RECYCLE);
  append_to_history("kept");
  EXPECT_EQ(read_file("_clip.txt"), numbered_records(1, 3) + "kept\a\r\n");
  EXPECT_EQ(read_file("_recycle.txt"), records_on_disk({"a", "b"}));
  EXPECT_EQ(history_count, 3);  // counted for the file on view
}

TEST_F(maintenance_test, reset_puts_the_status_font_back_to_its_base_size_and_keeps_the_zoom) {
  start_with(numbered_records(1, 2));
  command(CMD_FONT_LARGER);
  command(CMD_RESET);
  EXPECT_EQ(width_zoom, 120);
  EXPECT_EQ(height_zoom, 120);
  LOGFONTA font{};
  GetObjectA(view_font, sizeof font, &font);
  EXPECT_EQ(font.lfHeight, char_height);
}

}  // namespace
