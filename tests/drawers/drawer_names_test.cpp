#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawers/drawer_names.h"

namespace {

std::string file_of(const char* genre, int block, int drawer) {
  set_genre_stems(genre);
  char name[256];
  return drawer_file_name(name, sizeof name, block, drawer);
}

struct name_case {
  const char* genre;
  int block;
  int drawer;
  const char* file;
};

TEST(drawer_names, each_drawer_of_each_block_has_its_own_file) {
  const name_case cases[] = {
      {"special", 0, 0, "_special.txt"},    {"special", 0, 7, "_special7.txt"},
      {"special", 1, 0, "_1special.txt"},   {"special", 1, 9, "_1special9.txt"},
      {"special", 4, 0, "_4special.txt"},   {"special", 4, 3, "_4special3.txt"},
      // The editor reaches drawers the menus never show.
      {"special", 0, 10, "_special10.txt"}, {"special", 0, -2, "_special-2.txt"},
      // Blocks without a stem are held within 0-4 rather than naming a file from nothing.
      {"special", 7, 1, "_4special1.txt"},  {"special", -1, 1, "_special1.txt"},
      {"special", 5, 0, "_4special.txt"},
      // The name enters the file name byte for byte, a backslash making it a path.
      {"sub\\x", 0, 2, "_sub\\x2.txt"},     {"R&D", 2, 0, "_2R&D.txt"},
      {"定型", 0, 1, "_定型1.txt"},
  };
  for (const name_case& c : cases) {
    EXPECT_EQ(file_of(c.genre, c.block, c.drawer), c.file) << c.genre << " " << c.block << " " << c.drawer;
    // Named from outside the current genre, as a look through every genre does.
    set_genre_stems("other");
    EXPECT_EQ(genre_drawer_file_name(c.genre, c.block, c.drawer), c.file) << c.genre;
  }
}

struct shared_case {
  const char* genre_a;
  int block_a;
  int drawer_a;
  const char* genre_b;
  int block_b;
  int drawer_b;
};

TEST(drawer_names, genres_whose_names_run_into_digits_share_files) {
  const shared_case cases[] = {
      {"special", 1, 0, "1special", 0, 0},  // block ろ of one is block い of the other
      {"a", 0, 1, "a1", 0, 0},              // drawer 1 of "a" is drawer 0 of "a1"
      {"", 0, 1, "", 1, 0},                 // the empty genre's "_1.txt"
  };
  for (const shared_case& c : cases)
    EXPECT_EQ(file_of(c.genre_a, c.block_a, c.drawer_a), file_of(c.genre_b, c.block_b, c.drawer_b))
        << c.genre_a << " / " << c.genre_b;
  EXPECT_EQ(file_of("", 0, 1), "_1.txt");
}

TEST(drawer_names, some_genres_land_on_the_history_files) {
  EXPECT_EQ(file_of("clip", 0, 0), "_clip.txt");
  EXPECT_EQ(file_of("recycle", 0, 0), "_recycle.txt");
}

TEST(drawer_names, empty_genre_has_bare_stems) {
  set_genre_stems("");
  EXPECT_STREQ(genre_name, "");
  const char* stems[] = {"_", "_1", "_2", "_3", "_4"};
  for (int b = 0; b < block_count; ++b) EXPECT_STREQ(block_stems[b], stems[b]);
}

struct cut_case {
  std::string name;
  std::string kept;
};

TEST(drawer_names, genre_names_are_cut_to_31_bytes_on_a_whole_character) {
  const std::string ascii40(40, 'g');
  const std::string ascii31(31, 'g');
  std::string kana16;  // 32 bytes: the 16th character would straddle the limit
  for (int i = 0; i < 16; ++i) kana16 += "あ";
  const std::string x_kana15 = "x" + kana16.substr(0, 30);  // exactly 31 bytes
  const cut_case cases[] = {
      {ascii40, ascii31},
      {ascii31, ascii31},
      {kana16, kana16.substr(0, 30)},
      {x_kana15, x_kana15},
      {x_kana15 + "y", x_kana15},
      {"short", "short"},
  };
  for (const cut_case& c : cases) {
    char out[64];
    copy_genre_name(out, sizeof out, c.name.c_str());
    EXPECT_EQ(std::string(out), c.kept) << c.name;
    set_genre_stems(c.name.c_str());
    EXPECT_EQ(std::string(genre_name), c.kept);
    EXPECT_EQ(std::string(block_stems[3]), "_3" + c.kept);
  }
}

// Names are kept as the settings file reads them back, which drops surrounding blanks
// and quotes; the cut to 31 bytes may leave a blank at the end, which goes too.
TEST(drawer_names, genre_names_lose_surrounding_blanks_and_quotes) {
  const cut_case cases[] = {
      {"  work  ", "work"},
      {"\"quoted\"", "quoted"},
      {"'single'", "single"},
      {" \t\"' both '\" \r\n", "both"},
      {"in side", "in side"},
      {"a\"b", "a\"b"},
      {"あい ", "あい"},
      {std::string(30, 'g') + " tail", std::string(30, 'g')},
      {"   ", ""},
      {"\"\"", ""},
  };
  for (const cut_case& c : cases) {
    char out[64];
    copy_genre_name(out, sizeof out, c.name.c_str());
    EXPECT_EQ(std::string(out), c.kept) << "[" << c.name << "]";
    set_genre_stems(c.name.c_str());
    EXPECT_EQ(std::string(block_stems[1]), "_1" + c.kept);
  }
}

TEST(drawer_names, a_small_field_takes_only_whole_characters) {
  char out[4];
  copy_genre_name(out, sizeof out, "あい");
  EXPECT_STREQ(out, "あ");
}

TEST(drawer_names, stems_can_be_rebuilt_from_the_current_name) {
  set_genre_stems("work");
  set_genre_stems(genre_name);
  EXPECT_STREQ(genre_name, "work");
  EXPECT_STREQ(block_stems[0], "_work");
  EXPECT_STREQ(block_stems[4], "_4work");
}

}  // namespace
