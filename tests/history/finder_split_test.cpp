#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "history/clip_finder.h"
#include "tests/history/record_file_fixture.h"

namespace {

class finder_split_test : public record_file_fixture {};

void append_to(const char* name, const std::string& bytes) {
  std::FILE* file = std::fopen(name, "ab");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void answer(clip_finder& finder, const char* query) {
  finder.start_query(query);
  while (!finder.query_slice(1000)) {
  }
}

// Read and searched in two parts at once or whole, a history gives the same copy and the
// same answers, whatever lies where the second part was guessed to start and whatever is
// added while the copy is made.
TEST_F(finder_split_test, a_history_read_in_two_parts_is_the_history_read_whole) {
  std::string records;
  for (int n = 0; n < 600; ++n) records += "r" + std::to_string(n % 250) + (n % 7 == 0 ? "\r\nx" : "") + "\a\r\n";
  // Past the reader's limit a record is cut, and the cut takes the stop byte with it.
  const std::string cut = std::string(clip_size, 'L') + "\a\r\n";
  const struct {
    const char* name;
    std::string history, added;
    bool in_two;
  } cases[] = {
      {"records", records + records, "", true},
      {"a record cut where the second part was guessed to start", records + cut + records, "", false},
      {"records added while the copy is made", records + records, records + records + records, true},
      {"a last record without its separator", records + records + "tail", "", true},
  };
  for (const auto& c : cases) {
    write_file("_clip.txt", c.history);
    clip_finder split, whole;
    split.set_split_least(1);
    split.start_build("_clip.txt");
    // A window asks before the copy is made.
    split.start_query("r1");
    append_to("_clip.txt", c.added);
    while (!split.build_slice(1000)) {
    }
    while (!split.query_slice(1000)) {
    }
    const std::vector<int> asked_early = split.newest_matches();
    const int early_count = split.match_count();
    EXPECT_EQ(split.read_in_two(), c.in_two) << c.name;
    whole.set_split_least(std::numeric_limits<std::uint64_t>::max());
    whole.start_build("_clip.txt");
    while (!whole.build_slice(1 << 20)) {
    }
    ASSERT_EQ(split.count(), whole.count()) << c.name;
    ASSERT_EQ(static_cast<std::size_t>(whole.count()), records_of("_clip.txt").size()) << c.name;
    for (int n = 1; n <= whole.count(); ++n) {
      std::size_t split_length = 0, whole_length = 0;
      const char* split_text = split.folded_of(n, split_length);
      const char* whole_text = whole.folded_of(n, whole_length);
      ASSERT_EQ(std::string(split_text, split_length), std::string(whole_text, whole_length)) << c.name << " " << n;
      ASSERT_EQ(split.times(n), whole.times(n)) << c.name << " " << n;
    }
    answer(whole, "r1");
    EXPECT_EQ(asked_early, whole.newest_matches()) << c.name;
    EXPECT_EQ(early_count, whole.match_count()) << c.name;
    answer(split, "");
    answer(whole, "");
    EXPECT_EQ(split.newest_matches(), whole.newest_matches()) << c.name;
    // Records added after the copy was made are read on from where it ended.
    append_to("_clip.txt", "\a\r\nr1\a\r\nnew\a\r\n");
    EXPECT_EQ(split.refresh("_clip.txt"), whole.refresh("_clip.txt")) << c.name;
    while (!split.build_slice(1 << 20) || !whole.build_slice(1 << 20)) {
    }
    answer(split, "r1");
    answer(whole, "r1");
    EXPECT_EQ(split.newest_matches(), whole.newest_matches()) << c.name;
    EXPECT_EQ(split.match_count(), whole.match_count()) << c.name;
  }
}

}  // namespace
