// Whole texts both ways over every character of code page 932, and what Shift_JIS cannot
// hold.
#include "text/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/text/cp932_spellings.h"

namespace {

TEST(wide_text, every_cp932_character_goes_to_utf16_and_back_in_one_text) {
    const cp932_table reference = cp932_reference();
    std::string all;
    std::u16string all_units;
    for (const cp932_character& character : reference.characters) {
        all += character.bytes;
        all_units += character.unit;
    }
    ASSERT_EQ(all_units.size(), 127u + 63u + 7724u + 1880u);
    EXPECT_EQ(utf16_from_sjis(all), all_units);

    const sjis_text back = sjis_from_utf16(all_units);
    EXPECT_EQ(back.unmappable, 0u);
    // A character the code page has twice (NEC and IBM rows) comes back as one of its
    // spellings; every other character as its very bytes.
    ASSERT_EQ(back.bytes.size(), all.size());
    std::size_t at = 0;
    for (const char16_t unit : all_units) {
        const std::vector<std::string>& forms = reference.spellings.at(unit);
        const std::string got = back.bytes.substr(at, forms[0].size());
        if (forms.size() == 1)
            ASSERT_EQ(got, forms[0]) << std::hex << unit;
        else
            ASSERT_NE(std::find(forms.begin(), forms.end(), got), forms.end()) << std::hex << unit;
        at += got.size();
    }
}

TEST(wide_text, characters_shift_jis_lacks_become_counted_question_marks) {
    struct wide_case {
        std::u16string text;
        std::string bytes;
        std::size_t unmappable;
    };
    const wide_case cases[] = {
        {u"日本語のクリップ", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x4e\x83\x8a\x83\x62\x83\x76", 0},
        {u"한글폴더\\a", "????\\a", 4},
        {u"a\U0001F600b", "a?b", 1},
        // Lone surrogates, high or low, in the middle or at the end.
        {u"\xD83Dx\xDE00", "?x?", 2},
        {u"x\xD83D", "x?", 1},
        {u"\u301C\u2014", "\x81\x60\x81\x5C", 0},
        {std::u16string(u"ab\0cd", 5), "ab", 0},
        {u"", "", 0},
    };
    for (const wide_case& c : cases) {
        const sjis_text out = sjis_from_utf16(c.text);
        EXPECT_EQ(out.bytes, c.bytes) << c.bytes;
        EXPECT_EQ(out.unmappable, c.unmappable) << c.bytes;
    }
    EXPECT_EQ(utf16_from_sjis(std::string("a\0\x82\xa0", 4)), std::u16string(u"a\0\u3042", 3));
}

}  // namespace
