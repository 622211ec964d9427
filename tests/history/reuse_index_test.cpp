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

}  // namespace
