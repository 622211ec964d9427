// The settings file read and changed as bytes: names holding Shift_JIS trail bytes that
// look like ']', '\' or letters come back as written.
#include "settings/profile_text.h"

#include <gtest/gtest.h>

namespace {

TEST(profile_text, values_are_found_by_section_and_key) {
  // 表 and ソ end in 0x5C ('\'), ゾ in 0x5D (']'), ア in 0x41 ('A').
  const std::string text =
      "[init]\r\nmax = 600 \r\n; max=1\r\nsave=history\n[special]\r\n1=\x95\x5C\x8E\xA6\r\n2=\x83\x5C\x83\x74\x83\x67\r\n"
      "3=\"quoted\"\r\n4='\r\n[\x83\x41\x83\x5D]\r\nx=trail\r\n[empty]\r\nkey=\r\n[INIT]\r\nmax=700\r\n";
  struct read_case {
    const char* section;
    const char* key;
    bool found;
    const char* value;
  };
  const read_case cases[] = {
      {"init", "max", true, "600"},          {"Init", "MAX", true, "600"},
      {"init", "save", true, "history"},     {"special", "1", true, "\x95\x5C\x8E\xA6"},
      {"special", "2", true, "\x83\x5C\x83\x74\x83\x67"}, {"special", "3", true, "quoted"},
      {"special", "4", true, "'"},           {"special", "max", false, ""},
      {"\x83\x41\x83\x5D", "x", true, "trail"}, {"\x83\x61\x83\x5D", "x", false, ""},
      {"empty", "key", true, ""},            {"none", "max", false, ""},
  };
  for (const read_case& c : cases) {
    std::string value;
    EXPECT_EQ(profile_value(text, c.section, c.key, value), c.found) << c.section << "/" << c.key;
    if (c.found) {
      EXPECT_EQ(value, c.value) << c.section << "/" << c.key;
    }
  }
}

TEST(profile_text, a_change_touches_its_own_line_only) {
  struct write_case {
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  };
  const write_case cases[] = {
      {"", "init", "max", "500", "[init]\r\nmax=500\r\n"},
      {"[init]\r\nmax=1\r\n[special]\r\n1=a\r\n", "init", "MAX", "2", "[init]\r\nMAX=2\r\n[special]\r\n1=a\r\n"},
      {"[init]\r\nmax=1\r\n\r\n[other]\r\nkept=yes\r\n", "init", "save", "history",
       "[init]\r\nmax=1\r\nsave=history\r\n\r\n[other]\r\nkept=yes\r\n"},
      {"[init]\nmax=1\n", "special", "1", "\x97\xbf\x97\x9d", "[init]\r\nmax=1\r\n[special]\r\n1=\x97\xbf\x97\x9d\r\n"},
      {"[init]\r\nhotkey=Ctrl+Q\r\npaste=1\r\n", "init", "hotkey", nullptr, "[init]\r\npaste=1\r\n"},
      {"[init]\r\npaste=1\r\n", "init", "hotkey", nullptr, "[init]\r\npaste=1\r\n"},
      {"[init]\r\n", "special", "1", nullptr, "[init]\r\n"},
  };
  for (const write_case& c : cases) EXPECT_EQ(profile_with(c.before, c.section, c.key, c.value), c.after) << c.before;
}

}  // namespace
