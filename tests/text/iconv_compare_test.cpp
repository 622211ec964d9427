// The arithmetic mapping checked against glibc's converters on every assigned
// JIS X 0208 character. Bytes are compared through EUC-JP and SHIFT_JIS, never
// through Unicode, where the two encodings name a few characters differently.
#include "text/encodings.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// Converts one double-byte character; empty when the converter has no mapping.
std::string convert_pair(const char* to, const char* from, unsigned char first,
                         unsigned char second) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return "";
    char in[2] = {static_cast<char>(first), static_cast<char>(second)};
    char out[8];
    char* in_at = in;
    char* out_at = out;
    std::size_t in_left = sizeof in;
    std::size_t out_left = sizeof out;
    const std::size_t done = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1)) return "";
    return std::string(out, sizeof out - out_left);
}

std::string jis_text(unsigned char first, unsigned char second) {
    return std::string("\x1b$B") + static_cast<char>(first) + static_cast<char>(second) + "\x1b(B";
}

TEST(iconv_compare, jis_to_shift_jis_matches_on_every_assigned_character) {
    int assigned = 0;
    for (unsigned int first = 0x21; first <= 0x7e; ++first) {
        for (unsigned int second = 0x21; second <= 0x7e; ++second) {
            const std::string expected = convert_pair("SHIFT_JIS", "EUC-JP", first | 0x80,
                                                      second | 0x80);
            if (expected.empty()) continue;
            ++assigned;
            const std::string jis = jis_text(first, second);
            to_shift_jis(jis.c_str());
            ASSERT_EQ(std::string(conversion_output), expected)
                << std::hex << first << " " << second;
            to_iso2022jp(expected.c_str());
            ASSERT_EQ(std::string(conversion_output), jis) << std::hex << first << " " << second;
        }
    }
    EXPECT_EQ(assigned, 6879);
}

TEST(iconv_compare, shift_jis_to_jis_matches_on_every_assigned_character) {
    int assigned = 0;
    for (unsigned int first = 0x81; first <= 0xfc; ++first) {
        if (!is_sjis_lead(first)) continue;
        for (unsigned int second = 0x40; second <= 0xfc; ++second) {
            if (!is_sjis_trail(second)) continue;
            const std::string euc = convert_pair("EUC-JP", "SHIFT_JIS", first, second);
            if (euc.empty()) continue;
            ASSERT_EQ(euc.size(), 2u) << std::hex << first << " " << second;
            ++assigned;
            const std::string sjis = {static_cast<char>(first), static_cast<char>(second)};
            const std::string jis = jis_text(euc[0] & 0x7f, euc[1] & 0x7f);
            to_iso2022jp(sjis.c_str());
            ASSERT_EQ(std::string(conversion_output), jis) << std::hex << first << " " << second;
            to_shift_jis(jis.c_str());
            ASSERT_EQ(std::string(conversion_output), sjis) << std::hex << first << " " << second;
        }
    }
    EXPECT_EQ(assigned, 6879);
}

}  // namespace
