// The find window's rows, made from the real ring, history and side file: one row per
// text, by its newest record and in the ring's place when the ring holds it too, with the
// number of records and the capture time.
#include "app/find_rows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/ui_text.h"
#include "history/backup_files.h"
#include "history/history_streams.h"
#include "history/time_label.h"
#include "tests/history/history_samples.h"
#include "tests/win32/app_fixture.h"

namespace {

clip_time local_now() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

// "12/08 14:05 " for now as it was at one of the two looks.
bool said_at(const std::string& label, const std::string& head, const clip_time& before, const clip_time& after,
             const std::string& rest) {
  for (const clip_time& at : {before, after}) {
    char said[24];
    write_time_label(at, at, said, sizeof said);
    if (label == head + said + " " + rest) return true;
  }
  return false;
}

class find_rows_test : public app_test {
 protected:
  struct listed {
    std::vector<std::string> labels;
    int count;
  };
  // Rows made as the window makes them, the backups searched when there are any.
  listed rows_for(const char* query) {
    finder.release();
    finder.set_record_reader([this](int number, char* out) { return rows.read_found(finder, number, out); });
    finder.set_older_lister(numbered_backups);
    finder.start_build(history_file);
    while (!finder.build_slice(std::numeric_limits<std::size_t>::max())) {
    }
    finder.start_query(query);
    finder.query_slice(std::numeric_limits<std::size_t>::max());
    history_index.refresh(history_file);
    rows.make(finder);
    listed out{{}, rows.count_in_all()};
    for (std::size_t i = 0; i < rows.size(); ++i) out.labels.push_back(sjis_from_wide(rows.label_of(rows.at(i))));
    return out;
  }
  void TearDown() override {
    rows.release();
    finder.release();
    app_test::TearDown();
  }
  clip_finder finder;
  find_rows rows;
};

TEST_F(find_rows_test, list_each_text_once_at_its_newest_place_with_its_count_and_capture_time) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("_clip.txt", records_on_disk({"alpha", "beta", "alpha", "Alpha", "gamma"}));
  start_app();
  const clip_time before = local_now();
  for (const char* text : {"beta", "delta", "beta"}) copy_from_other_program(text);
  const clip_time after = local_now();

  const listed all = rows_for("");
  ASSERT_EQ(all.labels.size(), 5u);
  EXPECT_TRUE(said_at(all.labels[0], "8: ", before, after, "×3 beta")) << all.labels[0];
  EXPECT_TRUE(said_at(all.labels[1], "7: ", before, after, "delta")) << all.labels[1];
  EXPECT_EQ(std::vector<std::string>(all.labels.begin() + 2, all.labels.end()),
            (std::vector<std::string>{"5: gamma", "4: Alpha", "3: ×2 alpha"}));
  EXPECT_EQ(all.count, 5);

  const struct {
    const char* query;
    std::vector<std::string> labels;
  } searches[] = {
      {"alpha", {"4: Alpha", "3: ×2 alpha"}},
      {"gamma", {"5: gamma"}},
      {"epsilon", {}},
  };
  for (const auto& search : searches) {
    const listed found = rows_for(search.query);
    EXPECT_EQ(found.labels, search.labels) << search.query;
    EXPECT_EQ(found.count, static_cast<int>(search.labels.size())) << search.query;
  }
  const listed beta = rows_for("BETA");
  ASSERT_EQ(beta.labels.size(), 1u);
  EXPECT_TRUE(said_at(beta.labels[0], "8: ", before, after, "×3 beta")) << beta.labels[0];
  EXPECT_EQ(beta.count, 1);
}

// History saving off: the ring's clip stays in its place, the history's record of it not
// listed again.
TEST_F(find_rows_test, list_the_rings_clips_there_with_their_capture_time_while_history_is_not_saved) {
  write_file("_clip.txt", records_on_disk({"kiwi"}));
  start_app();
  const clip_time before = local_now();
  for (const char* text : {"kiwi", "kiwi juice", "kiwi"}) copy_from_other_program(text);
  const clip_time after = local_now();
  const listed kiwi = rows_for("kiwi");
  ASSERT_EQ(kiwi.labels.size(), 2u);
  EXPECT_TRUE(said_at(kiwi.labels[0], "[一時歴] ", before, after, "kiwi")) << kiwi.labels[0];
  EXPECT_TRUE(said_at(kiwi.labels[1], "[一時歴] ", before, after, "kiwi juice")) << kiwi.labels[1];
  EXPECT_EQ(kiwi.count, 2);
}

// Clips the compaction moved to backups come after the history's, the newest backup
// first, each text once at its newest place; one chosen goes back as the newest record
// of the history and is remembered as a re-use of it.
TEST_F(find_rows_test, list_the_backups_clips_after_the_historys_and_put_one_back_through_the_history) {
  write_file("dovane_clip.ini", history_on_settings());
  write_file("1_clip_bak.txt", records_on_disk({"plum wine", "plum cake", "pear"}));
  write_file("10_clip_bak.txt", records_on_disk({"plum jam", "plum wine"}));
  // Not the compaction's: the file it is making, and names it never gives.
  for (const char* other : {"0_clip_bak.txt", "x_clip_bak.txt", "01_clip_bak.txt"})
    write_file(other, records_on_disk({"plum pie"}));
  write_file("_clip.txt", records_on_disk({"plum cake", "apple"}));
  start_app();

  const listed plum = rows_for("plum");
  EXPECT_EQ(plum.labels, (std::vector<std::string>{"1: ×2 plum cake", "[10] 2: ×2 plum wine", "[10] 1: plum jam"}));
  EXPECT_EQ(plum.count, 3);
  EXPECT_EQ(rows_for("").count, 5);

  rows_for("jam");
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_TRUE(rows.choose(rows.at(0)));
  EXPECT_EQ(clipboard_text(), "plum jam");
  EXPECT_EQ(read_file("_clip.txt"), records_on_disk({"plum cake", "apple", "plum jam"}));
  EXPECT_EQ(read_file("_recycle_index.txt"), "3\r\n");
  // Found again, the clip is the history's now.
  EXPECT_EQ(rows_for("jam").labels, (std::vector<std::string>{"3: ×2 plum jam"}));
}

// A clip with characters Shift_JIS lacks is listed as it was copied, not with "?".
TEST_F(find_rows_test, list_a_clip_as_it_was_copied) {
  write_file("dovane_clip.ini", history_on_settings());
  start_app();
  copy_unicode_from_other_program(L"Jos\u00e9 \U0001F60A");
  rows_for("jos");
  ASSERT_EQ(rows.size(), 1u);
  const std::wstring label = rows.label_of(rows.at(0));
  const std::wstring copied = L"Jos\u00e9 \U0001F60A";
  ASSERT_GE(label.size(), copied.size());
  EXPECT_EQ(label.substr(label.size() - copied.size()), copied);
}

}  // namespace
