#include <gtest/gtest.h>

#include <string>

#include "app/menu_label.h"
#include "app/sjis_cut.h"

namespace {

TEST(menu_label, first_twenty_bytes_with_tabs_shown_as_dots) {
  struct label_case {
    std::string text;
    std::string label;
  };
  const label_case cases[] = {
      {"a\tb", "a.b"},
      {"abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrst"},
      {"", ""},
      {"\t\t", ".."},
      {"exactly twenty bytes", "exactly twenty bytes"},
      // Cut by bytes: the eleventh double-byte character loses its trail byte.
      {std::string(19, 'x') + "\x82\xa0", std::string(19, 'x') + "\x82"},
  };
  for (const label_case& c : cases) {
    char label[menu_label_size];
    make_menu_label(c.text.c_str(), label);
    EXPECT_EQ(label, c.label) << c.text;
  }
}

TEST(sjis_cut, prefix_never_ends_in_half_a_character) {
  struct cut_case {
    std::string text;
    size_t max_bytes;
    size_t length;
  };
  const cut_case cases[] = {
      {"abc", 63, 3},
      {std::string(62, 'a') + "\x82\xa0", 63, 62},
      {std::string(61, 'a') + "\x82\xa0", 63, 63},
      {std::string(70, 'a'), 63, 63},
      {"\xe0\x40\xfc\xfc", 3, 2},
      {"\xa1\xa2\xa3", 2, 2},  // single-byte katakana are whole characters
      {"a\x81", 63, 2},        // a lone lead byte at the end is kept as one byte
  };
  for (const cut_case& c : cases) EXPECT_EQ(sjis_whole_prefix(c.text.c_str(), c.max_bytes), c.length) << c.text;
}

}  // namespace
