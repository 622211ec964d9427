#include <gtest/gtest.h>

#include <string>

#include "text/menu_label.h"
#include "text/sjis.h"
#include "text/unicode_text.h"

namespace {

TEST(menu_label, first_twenty_bytes_of_whole_characters_with_tabs_shown_as_dots) {
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
      // A double-byte character that would lose its trail byte is left out whole.
      {std::string(19, 'x') + "\x82\xa0", std::string(19, 'x')},
      {"一行目\r\n\t二行目", "一行目  .二行目"},
      {"a\x1b[0m\x7f\x0b", "a [0m  "},
      // Trail bytes 0x40-0x7E look like ASCII but are no characters of their own.
      {"表\x81\x7f", "表\x81 "},
      {"ｱｲ\x82", "ｱｲ\x82"},
  };
  for (const label_case& c : cases) {
    char label[menu_label_size];
    make_menu_label(c.text.c_str(), label);
    EXPECT_EQ(label, c.label) << c.text;
  }
}

TEST(display_text, forty_kanji_are_cut_on_a_character_boundary_with_room_to_spare) {
  std::string kanji;
  for (int k = 0; k < 40; ++k) kanji += "漢";
  struct cut_case {
    size_t max_bytes;
    size_t length;
  };
  // The menu label, the tray tip and the title's clip part.
  for (const cut_case& c : {cut_case{20, 20}, cut_case{63, 62}, cut_case{70, 70}, cut_case{71, 70}}) {
    char out[80];
    EXPECT_EQ(make_display_text(kanji.c_str(), c.max_bytes, ' ', out), c.length) << c.max_bytes;
    EXPECT_EQ(std::string(out), kanji.substr(0, c.length)) << c.max_bytes;
  }
}

// The display of an original holds the characters the display of its record holds: made
// into Shift_JIS, it is that display, at every width.
TEST(display_text, of_an_original_covers_what_the_records_display_covers) {
  const std::u16string originals[] = {
      u"ありがとうございます😊", u"José Müller\tCafé", u"〜—‖− 𠀋 한글", u"a\r\nb\x1b\x7f",
      u"😊😊😊😊😊😊😊😊😊😊😊", std::u16string(u"lone \xD800 surrogate"), u"",
  };
  for (const std::u16string& original : originals) {
    char record[256];
    utf16_to_sjis(original.data(), original.size(), record, sizeof record);
    for (size_t max_bytes : {0, 1, 5, 19, 20, 21, 63, 70}) {
      char expected[80];
      make_display_text(record, max_bytes, '.', expected);
      const std::u16string shown = make_display_text(original, max_bytes, u'.');
      char shown_sjis[256];
      const sjis_conversion converted = utf16_to_sjis(shown.data(), shown.size(), shown_sjis, sizeof shown_sjis);
      EXPECT_EQ(std::string(shown_sjis, converted.length), expected) << max_bytes;
    }
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
      {"\x81 x", 1, 1},        // so is a lead byte before a byte that is no trail byte
  };
  for (const cut_case& c : cases) EXPECT_EQ(sjis_whole_prefix(c.text.c_str(), c.max_bytes), c.length) << c.text;
}

}  // namespace
