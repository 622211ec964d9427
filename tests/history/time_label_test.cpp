#include "history/time_label.h"

#include <gtest/gtest.h>

namespace {

struct time_case {
  clip_time when, now;
  const char* label;
};

TEST(time_label, says_today_by_the_time_yesterday_by_its_name_and_any_other_day_by_its_date) {
  const time_case cases[] = {
      {{2026, 12, 8, 14, 5, 59}, {2026, 12, 8, 23, 59, 0}, "12/08 14:05"},
      {{2026, 12, 8, 0, 0, 0}, {2026, 12, 8, 0, 0, 1}, "12/08 00:00"},
      {{2026, 12, 7, 23, 59, 59}, {2026, 12, 8, 0, 0, 0}, "昨日"},
      {{2026, 11, 30, 9, 0, 0}, {2026, 12, 1, 8, 0, 0}, "昨日"},
      {{2025, 12, 31, 9, 0, 0}, {2026, 1, 1, 8, 0, 0}, "昨日"},
      {{2024, 2, 29, 9, 0, 0}, {2024, 3, 1, 8, 0, 0}, "昨日"},
      {{2026, 12, 6, 23, 59, 0}, {2026, 12, 8, 0, 0, 0}, "2026/12/06"},
      {{2025, 11, 30, 14, 5, 0}, {2026, 12, 8, 14, 5, 0}, "2025/11/30"},
      {{2025, 12, 8, 14, 5, 0}, {2026, 12, 8, 14, 5, 0}, "2025/12/08"},
      // A clock put back: a time after now is told by its date.
      {{2026, 12, 9, 10, 0, 0}, {2026, 12, 8, 10, 0, 0}, "2026/12/09"},
      {{}, {2026, 12, 8, 10, 0, 0}, ""},
      {{2026, 2, 30, 10, 0, 0}, {2026, 3, 2, 10, 0, 0}, ""},
  };
  for (const time_case& c : cases) {
    char out[32] = "unwritten";
    write_time_label(c.when, c.now, out, sizeof out);
    EXPECT_STREQ(out, c.label) << c.when.year << "/" << c.when.month << "/" << c.when.day;
  }
  char cut[6];
  write_time_label({2026, 12, 8, 14, 5, 0}, {2026, 12, 8, 15, 0, 0}, cut, sizeof cut);
  EXPECT_STREQ(cut, "12/08");
}

}  // namespace
