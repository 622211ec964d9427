// The re-use index as users and accidents leave it: a line that is no number is passed
// over and the numbers after it still count; numbers never wrap.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "history/reuse_index.h"
#include "tests/history/record_file_fixture.h"

namespace {

using reuse_index_test = record_file_fixture;

TEST_F(reuse_index_test, stray_lines_are_passed_over_and_numbers_held_in_range) {
  write_file("i.txt", "3\r\nnot a number\r\n7\r\n12x\r\n  -2\r\n\r\n+5\r\n99999999999\r\n2147483647");
  record_stream index;
  index.open("i.txt", open_mode::read);
  std::vector<int> numbers;
  int number = 0;
  while (read_index_number(index, number)) numbers.push_back(number);
  EXPECT_EQ(numbers, (std::vector<int>{3, 7, -2, 5, INT_MAX - 1, INT_MAX - 1}));
}

// Only an index as the program writes it may replace another: numbers of records the
// history has, one a line.
TEST_F(reuse_index_test, only_an_index_of_numbers_within_the_history_is_sound) {
  struct sound_case {
    const char* name;
    std::string text;
    bool sound;
  };
  std::string garbage;
  for (int n = 0; n < 3000; ++n) garbage += static_cast<char>((n * 7919 + 13) % 256);
  const sound_case cases[] = {
      {"lines within the history", "3\r\n21\r\n1\r\n", true},
      {"last line without its line break", "3\r\n21", true},
      {"LF line breaks", "3\n21\n", true},
      {"empty index", "", true},
      {"number past the history", "3\r\n22\r\n", false},
      {"zero", "0\r\n", false},
      {"signed number", "+3\r\n", false},
      {"empty line", "3\r\n\r\n4\r\n", false},
      {"two numbers on a line", "3 4\r\n", false},
      {"number too long for any history", "99999999999999999999\r\n", false},
      {"random bytes", garbage, false},
  };
  for (const sound_case& c : cases) {
    write_file("i.txt", c.text);
    record_stream index;
    index.open("i.txt", open_mode::read);
    EXPECT_EQ(is_sound_index(index, 21), c.sound) << c.name;
  }
}

}  // namespace
