// Shared by the native and the Win32 tests, whose code page 932 tables differ: every
// code point whose Shift_JIS reads back as another is caught by the quick look for an
// original, and so is what Shift_JIS lacks; text that reads back as itself is not.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "text/unicode_text.h"

inline void expect_quick_look_misses_no_character() {
  for (char32_t code_point = 1; code_point < 0x10000; ++code_point) {
    if (code_point >= 0xD800 && code_point <= 0xDFFF) continue;
    const char16_t unit = static_cast<char16_t>(code_point);
    char sjis[4];
    const sjis_conversion converted = utf16_to_sjis(&unit, 1, sjis, sizeof sjis);
    char16_t back[4] = {};
    sjis_to_utf16(sjis, converted.length, back, 4);
    if (back[0] != unit) {
      EXPECT_TRUE(may_stand_for_other_text(sjis, converted.length)) << std::hex << static_cast<unsigned>(code_point);
    }
  }
  for (const char* plain : {"", "plain text", "\x93\xfa\x96\x7b\x8c\xea\x81\x5b", "\x81\x60"}) {
    const bool expected = std::strcmp(plain, "\x81\x60") == 0;
    EXPECT_EQ(may_stand_for_other_text(plain, std::strlen(plain)), expected) << plain;
  }
}
