// Unicode to Shift_JIS over the whole of code page 932, and the code points other systems use for Shift_JIS characters.
#include "text/unicode_text.h"

#include "tests/text/cp932_spellings.h"
#include "tests/text/quick_look_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct to_sjis {
    std::string bytes;
    sjis_conversion result;
};

// The text lies in a block of its exact size, as a clipboard block may: a read past it is
// a sanitizer error.
to_sjis convert(const std::u16string& text, std::size_t field_size = 64) {
    std::vector<char> field(field_size + 1, 'Z');
    const std::unique_ptr<char16_t[]> block(new char16_t[text.size()]);
    std::copy(text.begin(), text.end(), block.get());
    to_sjis out{"", utf16_to_sjis(block.get(), text.size(), field.data(), field_size)};
    out.bytes.assign(field.data(), out.result.length);
    EXPECT_EQ(field[out.result.length], '\0');
    EXPECT_EQ(field[field_size], 'Z');
    return out;
}

TEST(unicode_text, every_cp932_character_comes_back_from_its_unicode_form) {
    // A character the code page has twice gives one of its spellings; any other, its very
    // bytes.
    const cp932_table reference = cp932_reference();
    std::size_t characters = 0;
    for (const auto& [unit, forms] : reference.spellings) {
        characters += forms.size();
        const to_sjis out = convert(std::u16string(1, unit));
        ASSERT_EQ(out.result.unmappable, 0u) << std::hex << unit;
        if (forms.size() == 1)
            ASSERT_EQ(out.bytes, forms[0]) << std::hex << unit;
        else
            ASSERT_NE(std::find(forms.begin(), forms.end(), out.bytes), forms.end()) << std::hex << unit;
    }
    EXPECT_EQ(characters, 127u + 63u + 7724u + 1880u);
}

TEST(unicode_text, other_systems_code_points_fields_and_characters_shift_jis_lacks) {
    struct utf16_case {
        std::u16string text;
        std::size_t field_size;
        std::string bytes;
        std::size_t unmappable;
        bool cut;
    };
    const utf16_case cases[] = {
        {u"\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC", 64,
         "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA", 0, false},
        // Their cp932 forms give the same bytes.
        {u"\uFF5E\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2", 64,
         "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA", 0, false},
        // A surrogate pair is one character; a lone surrogate is one too.
        {u"a\U0001F600b", 64, "a?b", 1, false},
        {u"\xD83D"
         u"x\xDE00",
         64, "?x?", 2, false},
        {u"\uD55C\u8FD9\u00E9\u00A5", 64, "????", 4, false},
        {u"ab\xD83D", 64, "ab?", 1, false},
        // A zero unit ends the text; a double-byte character never goes in half.
        {std::u16string(u"ab\0cd", 5), 64, "ab", 0, false},
        {u"a\u3042\u3044", 4, "a\x82\xA0", 0, true},
        {u"a\U0001F600\u3042", 3, "a?", 1, true},
        {u"x", 1, "", 0, true},
    };
    for (const utf16_case& c : cases) {
        const to_sjis out = convert(c.text, c.field_size);
        EXPECT_EQ(out.bytes, c.bytes) << c.bytes;
        EXPECT_EQ(out.result.unmappable, c.unmappable) << c.bytes;
        EXPECT_EQ(out.result.cut, c.cut) << c.bytes;
    }
}

TEST(unicode_text, the_quick_look_for_another_text_misses_no_character) { expect_quick_look_misses_no_character(); }

TEST(unicode_text, utf8_is_read_whole_or_refused) {
    char16_t units[16];
    const std::string valid = u8"a\u00E9\u3042\U0001F600";
    ASSERT_EQ(utf8_to_utf16(valid.data(), valid.size(), units, 16), 5u);
    EXPECT_EQ(std::u16string(units, 5), u"a\u00E9\u3042\U0001F600");
    const char* refused[] = {"\x80",
                             "\xC0\xAF",
                             "\xC3",
                             "\xE0\x80\xAF",
                             "\xE3\x81",
                             "\xE3\x41\x82",
                             "\xED\xA0\x80",
                             "\xF0\x8F\xBF\xBF",
                             "\xF4\x90\x80\x80",
                             "\xF5\x80\x80\x80",
                             "\xFF"};
    for (const char* bytes : refused)
        EXPECT_EQ(utf8_to_utf16(bytes, std::strlen(bytes), units, 16), not_utf8) << bytes;
}

}  // namespace
