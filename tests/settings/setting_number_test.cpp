// Hostile settings values: nothing typed into the settings file may wrap an integer or
// reach a value that destroys data (a backup numbered 0 is the compaction's keep file).
#include <gtest/gtest.h>

#include <climits>

#include "settings/settings_values.h"

namespace {

TEST(setting_number, values_are_read_without_overflow_and_held_within_their_limits) {
  struct number_case {
    const char* stored;
    bool number;
    int value;
  };
  const number_case cases[] = {
      {"12", true, 12},         {" -1", true, -1},         {"+7x", true, 7},
      {"abc", false, 0},        {"", false, 0},            {"- 3", false, 0},
      {"2147483647", true, INT_MAX}, {"99999999999", true, INT_MAX}, {"-99999999999", true, INT_MIN},
  };
  for (const number_case& c : cases) {
    int value = 0;
    EXPECT_EQ(parse_setting_number(c.stored, value), c.number) << c.stored;
    if (c.number) {
      EXPECT_EQ(value, c.value) << c.stored;
    }
  }
  EXPECT_EQ(limit_backup_number(-1), 0);
  EXPECT_EQ(limit_backup_number(INT_MAX), highest_backup_number);
  EXPECT_EQ(limit_data_max(INT_MAX), highest_data_max);
  EXPECT_EQ(limit_data_max(INT_MIN), 500);
  EXPECT_EQ(limit_history_menu_max(INT_MAX), highest_history_menu_max);
  // The largest values still leave room for the sums made from them.
  EXPECT_LT(static_cast<long long>(highest_data_max) + 20 + highest_data_max, INT_MAX);
  EXPECT_LT(static_cast<long long>(highest_backup_number) + 1, INT_MAX);
}

}  // namespace
