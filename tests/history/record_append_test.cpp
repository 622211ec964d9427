// Appends to the history: what was there reads as before, the new text starts a record
// of its own, and the count is what the reader makes of it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "history/history_streams.h"
#include "settings/save_report.h"
#include "tests/history/record_file_fixture.h"

namespace {

class record_append_test : public record_file_fixture {
 protected:
  void SetUp() override {
    record_file_fixture::SetUp();
    std::snprintf(history_file, file_name_size, "%s", "_clip.txt");
    std::snprintf(history_append_file, file_name_size, "%s", "_clip.txt");
  }
  void TearDown() override {
    close_history_streams();
    history_index.clear();
    record_file_fixture::TearDown();
  }
  append_result append_to(const std::string& before, const char* text) {
    write_file("_clip.txt", before);
    close_history_streams();
    open_history_streams();
    return append_history_text(text);
  }
};

TEST_F(record_append_test, appends_start_on_a_record_boundary_and_count_what_the_reader_makes) {
  struct append_case {
    std::string before;
    const char* text;
    std::string after;
    int records;
  };
  const append_case cases[] = {
      {"", "x", "x\a\r\n", 1},
      {"a\a\r\n", "x", "a\a\r\nx\a\r\n", 1},
      {"a\a\r\nb", "x", "a\a\r\nb\a\r\nx\a\r\n", 1},         // torn or hand-edited end
      {"a\a\r\n\x1a", "x", "a\a\r\nx\a\r\n", 1},             // old end-of-data mark
      {"a\a\a\r\n", "x", "a\a\a\r\n\a\r\nx\a\r\n", 1},       // its last record ran into the end
      {"a\a\r\n", "p\aq", "a\a\r\np\aq\a\r\n", 2},           // an inner stop byte makes two
      {"a\a", "x", "a\a\r\nx\a\r\n", 1},                    // the line break was dropped
      {"a\a\x1a", "x", "a\a\r\nx\a\r\n", 1},
      {"a\a\r\n", "l1\nl2", "a\a\r\nl1\r\nl2\a\r\n", 1},
  };
  for (const append_case& c : cases) {
    const std::vector<std::string> old_records = records_of("_clip.txt");
    const append_result result = append_to(c.before, c.text);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(read_file("_clip.txt"), c.after) << c.text;
    EXPECT_EQ(result.records, c.records) << c.text;
    EXPECT_EQ(history_index.count(), static_cast<int>(records_of("_clip.txt").size())) << c.text;
  }
  use_separator("\n");
  const append_result lines = append_to("a\r\n", "one\ntwo\nthree");
  EXPECT_EQ(lines.records, 3);
  EXPECT_EQ(records_of("_clip.txt"), (std::vector<std::string>{"a", "one", "two", "three"}));
}

}  // namespace

// The history renamed over or deleted by another program: the clip goes into the file
// the name now stands for, whole, and the user is told once for each time it happened.
TEST_F(record_append_test, an_append_follows_a_history_replaced_or_removed_from_outside) {
  struct counting_listener : save_listener {
    int replaced = 0;
    void save_done(kept_file, const char*, bool) override {}
    void replaced_from_outside(kept_file kind, const char* name) override {
      replaced += kind == kept_file::history && std::string(name) == "_clip.txt";
    }
    void set_aside(kept_file, const char*, const char*) override {}
  } listener;
  listen_to_saves(&listener);
  append_to("old\a\r\n", "kept");
  write_file("new.txt", "r1\a\r\n");
  ASSERT_EQ(std::rename("new.txt", "_clip.txt"), 0);
  EXPECT_EQ(append_history_text("after replace").first_record, 2);
  EXPECT_EQ(read_file("_clip.txt"), "r1\a\r\nafter replace\a\r\n");
  ASSERT_EQ(std::remove("_clip.txt"), 0);
  EXPECT_EQ(append_history_text("after delete").first_record, 1);
  EXPECT_TRUE(append_history_text("then").saved);
  EXPECT_EQ(read_file("_clip.txt"), "after delete\a\r\nthen\a\r\n");
  EXPECT_EQ(listener.replaced, 2);
  listen_to_saves(nullptr);
}
