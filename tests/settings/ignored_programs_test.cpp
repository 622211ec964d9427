// The "ignore" setting: which clipboard owners' clips are kept nowhere.
#include <gtest/gtest.h>

#include "settings/ignored_programs.h"

namespace {

TEST(ignored_programs, the_owner_file_name_is_matched_against_each_listed_name_without_case) {
  struct owner_case {
    const char* list;
    const char* image;
    bool ignored;
  };
  const owner_case cases[] = {
      {"putty.exe;mstsc.exe", "C:\\Program Files\\PuTTY\\putty.exe", true},
      {"putty.exe;mstsc.exe", "C:\\Windows\\System32\\MSTSC.EXE", true},
      {" PuTTY.exe ; mstsc.exe ", "c:\\tools\\putty.exe", true},
      {"C:\\other\\putty.exe", "D:\\putty.exe", true},
      {"putty.exe", "C:\\tools\\kitty.exe", false},
      {"putty", "C:\\tools\\putty.exe", false},
      {"putty.exe", "C:\\tools\\putty.exe.bak", false},
      {"utty.exe", "C:\\tools\\putty.exe", false},
      {"", "C:\\tools\\putty.exe", false},
      {";;", "C:\\tools\\putty.exe", false},
      {"putty.exe", "", false},
      {"putty.exe;", "C:\\tools\\", false},
      // Shift_JIS names: the second byte of 表 is '\', of ア is 'A'; neither is folded.
      {"\x95\x5c.exe", "C:\\\x8e\x9e\x95\x5c.exe", false},
      {"\x8e\x9e\x95\x5c.exe", "C:\\\x8e\x9e\x95\x5c.exe", true},
      {"\x83\x41.exe", "C:\\\x83\x61.exe", false},
      {"\x83\x41.EXE", "C:\\\x83\x41.exe", true},
  };
  for (const owner_case& c : cases)
    EXPECT_EQ(program_is_ignored(c.list, c.image), c.ignored) << c.list << " | " << c.image;
}

}  // namespace
