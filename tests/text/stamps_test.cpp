#include "text/stamps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct stamp_case {
    const char* name;
    char* (*format_stamp)(char*, std::size_t, const char*, int, int, int);
    const char* format;
    int values[3];
    const char* expected;
};

const stamp_case stamp_cases[] = {
    {"date pads month and day", format_date_stamp, date_format, {2004, 3, 5}, "2004/03/05"},
    {"date at year end", format_date_stamp, date_format, {1999, 12, 31}, "1999/12/31"},
    {"time pads every field", format_time_stamp, time_format, {9, 7, 3}, "09:07:03"},
    {"time at midnight", format_time_stamp, time_format, {0, 0, 0}, "00:00:00"},
    {"time before midnight", format_time_stamp, time_format, {23, 59, 59}, "23:59:59"},
};

TEST(stamps, format_with_the_default_formats) {
    for (const stamp_case& c : stamp_cases) {
        char target[20480];
        std::memset(target, '#', sizeof target);
        char* result = c.format_stamp(target, sizeof target, c.format, c.values[0], c.values[1],
                                      c.values[2]);
        EXPECT_EQ(result, target) << c.name;
        EXPECT_STREQ(target, c.expected) << c.name;
    }
}

TEST(stamps, small_target_is_cut_and_terminated) {
    char field[8];
    std::memset(field, '#', sizeof field);
    format_date_stamp(field, 6, date_format, 2004, 3, 5);
    EXPECT_EQ(std::string(field, 6), std::string("2004/\0", 6));
    EXPECT_EQ(field[6], '#');
}

}  // namespace
