// Compaction and drawer deletes copy stored bytes: whatever the reader would hide or cut
// must come through whole.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "history/byte_copy.h"
#include "history/record_file.h"
#include "history/record_index.h"
#include "tests/history/random_records.h"
#include "tests/history/record_file_fixture.h"

namespace {

using byte_copy_test = record_file_fixture;

TEST_F(byte_copy_test, a_split_keeps_every_byte_and_the_reader_numbering_of_both_parts) {
  std::mt19937 random(3);
  std::string hostile;
  for (int i = 0; i < 4000; ++i) hostile += static_cast<char>(random());
  const std::string samples[] = {
      std::string("nul\0inside\a\r\n", 13) + "bel\ainside\a\r\n" + std::string(100000, 'L') + "\a\r\n" + hostile +
          "\a\r\nlast\a\r\n",
      random_record_file(random, "\a\n", true) + "x\a\r\ny\a\r\nz\a\r\n",
  };
  for (const std::string& bytes : samples) {
    write_file("h.txt", bytes);
    const std::vector<std::string> all = records_of("h.txt");
    record_index index;
    index.build("h.txt");
    for (int head_records : {1, 2, static_cast<int>(all.size()) - 1}) {
      ASSERT_TRUE(split_record_file(index, head_records, "head.txt", "tail.txt")) << head_records;
      EXPECT_EQ(read_file("head.txt") + read_file("tail.txt"), bytes);
      std::vector<std::string> parts = records_of("head.txt");
      EXPECT_EQ(static_cast<int>(parts.size()), head_records);
      for (const std::string& text : records_of("tail.txt")) parts.push_back(text);
      EXPECT_EQ(parts, all);
    }
    EXPECT_FALSE(split_record_file(index, static_cast<int>(all.size()), "head.txt", "tail.txt"));
  }
}

TEST_F(byte_copy_test, a_copy_that_cannot_be_written_whole_leaves_nothing_behind) {
  write_file("h.txt", "a\a\r\nb\a\r\nc\a\r\n");
  record_index index;
  index.build("h.txt");
  plant_file_fault(file_step::write, "tail.txt");  // the head was whole: it goes too
  EXPECT_FALSE(split_record_file(index, 1, "head.txt", "tail.txt"));
  plant_file_fault(file_step::write, "copy.txt");
  EXPECT_FALSE(copy_byte_ranges("h.txt", {{0, 4}}, "copy.txt"));
  EXPECT_FALSE(file_exists("head.txt"));
  EXPECT_FALSE(file_exists("tail.txt"));
  EXPECT_FALSE(file_exists("copy.txt"));
  EXPECT_EQ(read_file("h.txt"), "a\a\r\nb\a\r\nc\a\r\n");
}

}  // namespace
