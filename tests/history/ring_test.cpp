#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "history/capture.h"
#include "history/history_streams.h"
#include "history/ring.h"
#include "settings/settings_values.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

class ring_test : public app_test {
 protected:
  void start_with_ring_file(const std::vector<std::string>& saved, bool saving_history = false) {
    if (saving_history) write_file("dovane_clip.ini", history_on_settings());
    std::string bytes;
    for (const std::string& text : saved) bytes += text + "\a\r\n";
    write_file("tmpclipsave.txt", bytes);
    start_app();
  }
  static std::vector<std::string> numbered(const char* stem, int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back(stem + std::to_string(i));
    return texts;
  }
  int listed() { return static_cast<int>(menu_labels(ring_menu, first_ring_entry).size()); }
};

TEST_F(ring_test, clips_from_an_empty_ring_take_slots_and_ids_in_turn) {
  start_with_ring_file({});
  struct expectation {
    int clip_number;
    int slot;
    int menu_id;
    int full;
    int listed;
  };
  // The 50th clip wraps the ids, and from then on each new clip drops the oldest entry.
  const expectation table[] = {
      {1, 1, 45001, 0, 1},   {2, 2, 45002, 0, 2},   {49, 49, 45049, 0, 49},
      {50, 0, 45000, 1, 49}, {51, 1, 45001, 1, 49}, {120, 20, 45020, 1, 49},
  };
  int copied = 0;
  for (const expectation& row : table) {
    while (copied < row.clip_number) copy_from_other_program("clip " + std::to_string(++copied));
    SCOPED_TRACE(row.clip_number);
    EXPECT_EQ(ring_pos, row.slot);
    EXPECT_EQ(recent_ring[ring_pos].menu_id, row.menu_id);
    EXPECT_STREQ(recent_ring[ring_pos].text, ("clip " + std::to_string(row.clip_number)).c_str());
    EXPECT_EQ(ring_full, row.full);
    EXPECT_EQ(listed(), row.listed);
    EXPECT_EQ(menu_labels(ring_menu, first_ring_entry).back(), "clip " + std::to_string(row.clip_number));
  }
}

TEST_F(ring_test, fifty_saved_clips_are_all_listed_again_after_a_restart) {
  start_with_ring_file(numbered("saved ", 50));
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), numbered("saved ", 50));
  EXPECT_EQ(ring_full, 1);
  EXPECT_EQ(recent_ring[1].menu_id, 45001);
  EXPECT_STREQ(recent_ring[1].text, "saved 1");
  EXPECT_EQ(recent_ring[0].menu_id, 45000);
  EXPECT_STREQ(recent_ring[0].text, "saved 50");
  copy_from_other_program("fresh");
  std::vector<std::string> expected = numbered("saved ", 50);
  expected.erase(expected.begin());
  expected.push_back("fresh");
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), expected);
}

TEST_F(ring_test, a_ring_file_longer_than_the_ring_lists_only_what_the_slots_hold) {
  start_with_ring_file(numbered("line ", 55));
  const std::vector<std::string> all = numbered("line ", 55);
  EXPECT_EQ(menu_labels(ring_menu, first_ring_entry), std::vector<std::string>(all.begin() + 5, all.end()));
  // Every listed entry still leads to its own text.
  for (UINT id : menu_ids(ring_menu, first_ring_entry)) {
    command(static_cast<int>(id));
    EXPECT_EQ(clipboard_text(), menu_string(ring_menu, id, MF_BYCOMMAND));
  }
}

TEST_F(ring_test, the_ring_survives_a_restart_through_its_file) {
  start_with_ring_file({});
  copy_from_other_program("日本語のクリップ");
  copy_from_other_program("second");
  close_app();
  EXPECT_EQ(read_file("tmpclipsave.txt"), "日本語のクリップ\a\r\nsecond\a\r\n");
}

TEST_F(ring_test, choosing_a_ring_entry_puts_its_clip_back) {
  start_with_ring_file({"first", "second", "third"});
  command(45002);
  EXPECT_EQ(clipboard_text(), "second");
  EXPECT_STREQ(clip_text, "second");
  // An id no slot holds falls back to slot 0, empty here.
  command(45050);
  EXPECT_EQ(clipboard_text(), "");
}

TEST_F(ring_test, a_ring_choice_is_appended_to_the_history_only_while_saving_is_off) {
  start_with_ring_file({"from the ring"});
  command(45001);
  EXPECT_EQ(read_file("_clip.txt"), "from the ring\a\r\n");
  EXPECT_EQ(history_count, 1);
  command(40046);  // history saving on
  command(45001);
  EXPECT_EQ(read_file("_clip.txt"), "from the ring\a\r\n");
  EXPECT_EQ(history_count, 1);
  EXPECT_EQ(clipboard_text(), "from the ring");
}

}  // namespace
