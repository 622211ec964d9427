// The shortcut key's name, as the settings file stores it and the user types it.
#include <gtest/gtest.h>

#include <string>

#include "settings/hotkey_name.h"

namespace {

TEST(hotkey_name, names_read_to_keys_and_back_and_odd_names_are_refused_keeping_the_old_key) {
  struct name_case {
    const char* text;
    bool read;
    unsigned modifiers;
    unsigned key;
    const char* written;  // the name written back for a read key
  };
  const unsigned ctrl_shift = hotkey_control | hotkey_shift;
  const name_case cases[] = {
      {"Ctrl+Shift+V", true, ctrl_shift, 'V', "Ctrl+Shift+V"},
      {" shift + ctrl + v ", true, ctrl_shift, 'V', "Ctrl+Shift+V"},
      {"Win+Alt+1", true, hotkey_win | hotkey_alt, '1', "Alt+Win+1"},
      {"Ctrl+F1", true, hotkey_control, 0x70, "Ctrl+F1"},
      {"Alt+f24", true, hotkey_alt, 0x87, "Alt+F24"},
      {"Ctrl+Alt+Shift+Win+Backspace", true, 0xF, 0x08, "Ctrl+Alt+Shift+Win+Backspace"},
      {"Ctrl+Insert", true, hotkey_control, 0x2D, "Ctrl+Insert"},
      {"Ctrl+pagedown", true, hotkey_control, 0x22, "Ctrl+PageDown"},
      {"Ctrl+Space", true, hotkey_control, 0x20, "Ctrl+Space"},
      {"", false, 0, 0, ""},
      {"   ", false, 0, 0, ""},
      {"V", false, 0, 0, ""},
      {"F5", false, 0, 0, ""},
      {"Ctrl+Shift", false, 0, 0, ""},
      {"Ctrl", false, 0, 0, ""},
      {"Ctrl+Ctrl+V", false, 0, 0, ""},
      {"Ctrl+V+V", false, 0, 0, ""},
      {"Ctrl+V+Shift", false, 0, 0, ""},
      {"Ctrl++V", false, 0, 0, ""},
      {"Ctrl+V+", false, 0, 0, ""},
      {"Ctrl+Hyper+V", false, 0, 0, ""},
      {"Ctrl+F0", false, 0, 0, ""},
      {"Ctrl+F25", false, 0, 0, ""},
      {"Ctrl+F01", false, 0, 0, ""},
      {"Ctrl+VV", false, 0, 0, ""},
      {"Ctrl+あ", false, 0, 0, ""},
  };
  for (const name_case& c : cases) {
    const hotkey old_key{hotkey_alt, 'Q'};
    hotkey key = old_key;
    EXPECT_EQ(parse_hotkey_name(c.text, key), c.read) << c.text;
    const hotkey expected = c.read ? hotkey{c.modifiers, c.key} : old_key;
    EXPECT_EQ(key.modifiers, expected.modifiers) << c.text;
    EXPECT_EQ(key.key, expected.key) << c.text;
    if (!c.read) continue;
    char name[hotkey_name_size];
    EXPECT_TRUE(format_hotkey_name(key, name, sizeof name)) << c.text;
    EXPECT_EQ(std::string(name), c.written) << c.text;
  }
}

TEST(hotkey_name, keys_without_a_name_or_a_modifier_get_no_name_and_a_short_field_is_never_overrun) {
  const hotkey unnamed[] = {{hotkey_control, 0x00}, {hotkey_control, 0xBA}, {0, 'V'}, {0x10, 'V'}};
  for (const hotkey& key : unnamed) {
    char name[hotkey_name_size] = "x";
    EXPECT_FALSE(format_hotkey_name(key, name, sizeof name)) << key.key;
    EXPECT_STREQ(name, "");
  }
  char short_field[8] = "unused";
  EXPECT_FALSE(format_hotkey_name(hotkey{hotkey_control | hotkey_shift, 'V'}, short_field, 6));
  EXPECT_STREQ(short_field, "");
  EXPECT_EQ(short_field[7], '\0');
}

}  // namespace
