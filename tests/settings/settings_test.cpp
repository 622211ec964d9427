#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "history/history_streams.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"
#include "tests/win32/app_fixture.h"

namespace {

using settings_test = app_test;

TEST_F(settings_test, first_run_writes_every_stored_key_with_its_default) {
  start_app();
  close_app();
  EXPECT_EQ(read_file("dovane_clip.ini"),
            "[init]\r\n"
            "back num=0\r\n"
            "max=500\r\n"
            "his max=10\r\n"
            "mode=DOVANE\r\n"
            "save=no-history\r\n"
            "spname=1\r\n"
            "[special]\r\n"
            "1=special\r\n");
}

struct limit_case {
  const char* key;
  const char* stored;
  int* value;
  int expected;
};

TEST_F(settings_test, integer_keys_are_held_within_their_limits) {
  const limit_case cases[] = {
      {"max", "100", &data_max, 500},           {"max", "501", &data_max, 501},
      {"max", "abc", &data_max, 500},           {"his max", "0", &history_menu_max, 10},
      {"his max", "11", &history_menu_max, 11}, {"tagsavelimit sec", "0", &tag_save_limit, 1},
      {"tagsavelimit sec", "60", &tag_save_limit, 60}, {"tagsavelimit sec", "1000", &tag_save_limit, 60},
      {"tagsavelimit sec", "-5", &tag_save_limit, 1},  {"tagsavelimit sec", "30", &tag_save_limit, 30},
      {"back num", "7", &backup_number, 7},     {"back num", "x", &backup_number, 0},
      {"back num", "-1", &backup_number, 0},    {"max", "99999999999", &data_max, highest_data_max},
      {"tagsavelimit sec", "x", &tag_save_limit, 10}, {"spname", "x", &genre_number, 1},
  };
  for (const limit_case& c : cases) {
    write_file("dovane_clip.ini", std::string("[init]\r\n") + c.key + "=" + c.stored + "\r\n");
    set_defaults();
    load_settings();
    EXPECT_EQ(*c.value, c.expected) << c.key << "=" << c.stored;
  }
}

TEST_F(settings_test, mode_and_save_texts_are_compared_exactly) {
  struct text_case {
    const char* mode;
    const char* save;
    const char* mode_written;
    const char* save_written;
    const char* separator;
  };
  const text_case cases[] = {
      {"return", "history and more", "DOVANE", "history", "\a\n"},
      {"RETURN", "no-history", "RETURN", "no-history", "\n"},
      {"RETURNS", "History", "DOVANE", "no-history", "\a\n"},
  };
  for (const text_case& c : cases) {
    write_file("dovane_clip.ini", std::string("[init]\r\nmode=") + c.mode + "\r\nsave=" + c.save + "\r\n");
    set_defaults();
    load_settings();
    EXPECT_STREQ(record_separator, c.separator) << c.mode;
    save_settings();
    EXPECT_EQ(ini_value("init", "mode"), c.mode_written);
    EXPECT_EQ(ini_value("init", "save"), c.save_written);
  }
}

TEST_F(settings_test, link_tag_keys_default_when_missing_and_stay_empty_when_empty) {
  set_defaults();
  for (const char* ini : {"", "[init]\r\ntagA=\r\ntagB=\r\ntagC=\r\ntaglinkfile=links.txt\r\n"}) {
    write_file("dovane_clip.ini", ini);
    load_settings();
    const bool given = ini[0] != '\0';
    EXPECT_EQ(std::string(tag_a) + "|" + tag_b + "|" + tag_c + "|" + tag_link_file,
              given ? "|||links.txt" : "<a href=\"|\">|</a>|taglink.txt");
  }
}

TEST_F(settings_test, settings_file_stays_in_the_start_up_folder) {
  set_defaults();
  load_settings();
  CreateDirectoryA("elsewhere", nullptr);
  SetCurrentDirectoryA("elsewhere");
  save_settings();
  SetCurrentDirectoryA("..");
  EXPECT_TRUE(file_exists("dovane_clip.ini"));
  EXPECT_FALSE(file_exists("elsewhere\\dovane_clip.ini"));
}

}  // namespace
