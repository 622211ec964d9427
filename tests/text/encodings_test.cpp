#include "text/encodings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace std::string_literals;

namespace {

// The text the clip edit would show: up to the first zero byte.
std::string shown() {
    return std::string(conversion_output);
}

// The first bytes of the result area, zero bytes included.
std::string raw(std::size_t count) {
    return std::string(conversion_output, count);
}

std::string repeat(const std::string& unit, std::size_t times) {
    std::string text;
    for (std::size_t k = 0; k < times; ++k) text += unit;
    return text;
}

const std::string mail_line_1 = "Dear all, the meeting moves to room 4 on Friday at three.";
const std::string mail_line_2 = " Bring the printed agenda!!!.";
const std::string mail_base64_1 =
    "RGVhciBhbGwsIHRoZSBtZWV0aW5nIG1vdmVzIHRvIHJvb20gNCBvbiBGcmlkYXkgYXQgdGhyZWUu";
const std::string mail_base64_2 = "IEJyaW5nIHRoZSBwcmludGVkIGFnZW5kYSEhIS4=";

struct conversion_case {
    const char* name;
    void (*convert)(const char*);
    std::string input;
    // Expected bytes of the result area up to and including its terminator.
    std::string expected;
};

const conversion_case conversion_cases[] = {
    {"base64 group of four gives three bytes", decode_base64, "TWFu", "Man\0"s},
    {"base64 two groups", decode_base64, "TWFuTWFu", "ManMan\0"s},
    {"base64 one pad shows two bytes", decode_base64, "TWE=", "Ma\0\0"s},
    {"base64 two pads show one byte", decode_base64, "TQ==", "M\0\0\0"s},
    {"base64 missing positions count as zero", decode_base64, "TWF", "Ma@\0"s},
    {"base64 bytes outside the alphabet count as zero", decode_base64, "\xff\x41\x41\x41",
     "\0\0\0\0"s},
    {"base64 empty text", decode_base64, "", "\0"s},

    {"JIS wraps each double-byte run in escapes", to_iso2022jp, "\x82\xa0" "a" "\x82\xa2",
     "\x1b$B\x24\x22\x1b(Ba\x1b$B\x24\x24\x1b(B\0"s},
    {"JIS keeps one run for adjacent characters", to_iso2022jp, "\x82\xa0\x88\x9f",
     "\x1b$B\x24\x22\x30\x21\x1b(B\0"s},
    {"JIS turns CR LF into LF", to_iso2022jp, "a\r\nb\r\n", "a\nb\n\0"s},
    {"JIS CR at the end ends after the LF", to_iso2022jp, "a\r", "a\n\0"s},
    {"JIS lone CR ends a line and keeps the next byte", to_iso2022jp, "a\rbc", "a\nbc\0"s},
    {"JIS copies single-byte katakana and LF", to_iso2022jp, "\xb1\n", "\xb1\n\0"s},


    {"SJIS reads escapes and pairs back", to_shift_jis,
     "\x1b$B\x24\x22\x1b(Ba\x1b$B\x24\x24\x1b(B", "\x82\xa0" "a" "\x82\xa2" "\0"s},
    {"SJIS turns LF into CR LF", to_shift_jis, "a\nb\n", "a\r\nb\r\n\0"s},
    {"SJIS leading LF gets a CR", to_shift_jis, "\nx", "\r\nx\0"s},
    {"SJIS LF after CR copied once", to_shift_jis, "a\r\nb", "a\r\nb\0"s},
    {"SJIS ESC $ @ opens and ESC ( J closes a run", to_shift_jis,
     "\x1b$@\x24\x22\x1b(J\x24\x22", "\x82\xa0\x24\x22\0"s},
    {"SJIS pair cut by the end ends after the previous pair", to_shift_jis,
     "\x1b$B\x24\x22\x24", "\x82\xa0\0\0"s},
    {"SJIS invalid pair gives zero bytes", to_shift_jis, "\x1b$B\x21\n\x1b(Bx", "\0\0x\0"s},
    {"SJIS copies unknown escapes, pairing JIS bytes in a run", to_shift_jis,
     "\x1b$B\x1b$A\x30\x21", "\x1b\x82\xbf\x88\x9f\0"s},
    {"SJIS unknown escape outside a run is copied", to_shift_jis, "\x1b$Ax", "\x1b$Ax\0"s},
    {"SJIS leaves Shift_JIS text alone", to_shift_jis, "\x83\x5c\xb1\x82\xa0",
     "\x83\x5c\xb1\x82\xa0\0"s},
};

TEST(conversions, write_expected_bytes) {
    for (const conversion_case& c : conversion_cases) {
        std::memset(conversion_output, '#', conversion_size);
        c.convert(c.input.c_str());
        EXPECT_EQ(raw(c.expected.size()), c.expected) << c.name;
    }
}

TEST(base64, line_breaks_and_blanks_between_groups_take_no_position) {
    for (const std::string& gap : {""s, "\r\n"s, "\n"s, " \t"s}) {
        decode_base64((mail_base64_1 + gap + mail_base64_2 + gap).c_str());
        EXPECT_EQ(shown(), mail_line_1 + mail_line_2) << gap.size();
    }
}

TEST(base64, every_symbol_decodes_to_its_own_value) {
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // After "QUF" the last symbol of the group is the low six bits of the third byte 0x40 + value.
    for (unsigned value = 0; value < 64; ++value) {
        decode_base64(("QUF"s + alphabet[value]).c_str());
        EXPECT_EQ(shown(), "AA"s + static_cast<char>(0x40 + value)) << alphabet[value];
    }
    // Each symbol in each place of a group, as Python's base64 module decodes the alphabet.
    decode_base64(alphabet);
    EXPECT_EQ(raw(48),
              "\x00\x10\x83\x10\x51\x87\x20\x92\x8b\x30\xd3\x8f\x41\x14\x93\x51\x55\x97\x61\x96\x9b\x71"
              "\xd7\x9f\x82\x18\xa3\x92\x59\xa7\xa2\x9a\xab\xb2\xdb\xaf\xc3\x1c\xb3\xd3\x5d\xb7\xe3\x9e"
              "\xbb\xf3\xdf\xbf"s);
    decode_base64("QUI=");
    EXPECT_EQ(shown(), "AB");
    decode_base64("QQ==");
    EXPECT_EQ(shown(), "A");
}

TEST(base64, shorter_decode_after_longer_shows_only_its_own_bytes) {
    decode_base64((mail_base64_1 + mail_base64_2).c_str());
    decode_base64("TWFu");
    EXPECT_EQ(shown(), "Man");
}

// Characters JIS X 0208 lacks become 〓 (22 2E) and are counted; the same character from
// JIS X 0208 or the NEC special row stands for its IBM duplicate; every other byte stays
// and the run is always closed.
struct jis_replacement_case {
    const char* name;
    std::string input;
    std::string expected;
    std::size_t replaced;
};

const jis_replacement_case jis_replacement_cases[] = {
    {"IBM extension in a mail line", "x\xfa\x40yz rest of the mail",
     "x\x1b$B\x22\x2e\x1b(Byz rest of the mail", 1},
    {"IBM kanji 髙 and 﨑 between kanji", "\x88\x9f\xfb\xfc\xfa\xb1\x88\x9f",
     "\x1b$B\x30\x21\x22\x2e\x22\x2e\x30\x21\x1b(B", 2},
    {"NEC-selected IBM kanji 髙", "\xee\xe0.", "\x1b$B\x22\x2e\x1b(B.", 1},
    {"user-defined character", "\xf0\x40z", "\x1b$B\x22\x2e\x1b(Bz", 1},
    {"IBM not sign, because and company mark have equivalents", "\xfa\x54\xee\xf9\xfa\x5b\xfa\x58",
     "\x1b$B\x22\x4c\x22\x4c\x22\x68\x2d\x6a\x1b(B", 0},
    {"IBM Roman numeral becomes the NEC one", "\xfa\x4a", "\x1b$B\x2d\x35\x1b(B", 0},
    {"lone lead byte at the end", "ab\x82", "ab\x1b$B\x22\x2e\x1b(B", 1},
    {"lone lead byte after a pair", "\x82\xa0\x82", "\x1b$B\x24\x22\x22\x2e\x1b(B", 1},
    {"lone lead byte before LF", "\x82\nz", "\x1b$B\x22\x2e\x1b(B\nz", 1},
    {"lone CR before a kanji", "a\r\x82\xa0", "a\n\x1b$B\x24\x22\x1b(B", 0},
};

TEST(jis, characters_beyond_jis_x0208_become_geta_and_the_rest_stays) {
    for (const jis_replacement_case& c : jis_replacement_cases) {
        to_iso2022jp(c.input.c_str());
        EXPECT_EQ(shown(), c.expected) << c.name;
        EXPECT_EQ(jis_replaced_characters, c.replaced) << c.name;
    }
}

TEST(jis, round_trip_gives_the_text_back) {
    const std::string text = "\x82\xa0" "a" "\x82\xa2\r\n\x88\x9f\x88\xa0 x\r\n";
    to_iso2022jp(text.c_str());
    const std::string jis = shown();
    EXPECT_EQ(jis.find('\r'), std::string::npos);
    to_shift_jis(jis.c_str());
    EXPECT_EQ(shown(), text);
}

TEST(jis, pair_mappings_reject_bytes_outside_their_classes) {
    struct pair_case {
        unsigned int (*map)(unsigned char, unsigned char);
        unsigned char first;
        unsigned char second;
        unsigned int expected;
    };
    // Valid pairs are checked against iconv; these are the edges of the classes.
    const pair_case cases[] = {
        {sjis_to_jis_pair, 0x81, 0x40, 0x2121}, {sjis_to_jis_pair, 0xef, 0xfc, 0x7e7e},
        {sjis_to_jis_pair, 0xf0, 0x40, 0},      {sjis_to_jis_pair, 0xfc, 0xfc, 0},
        {sjis_to_jis_pair, 0xa0, 0x40, 0},      {sjis_to_jis_pair, 0xb1, 0x40, 0},
        {sjis_to_jis_pair, 0x81, 0x3f, 0},      {sjis_to_jis_pair, 0x81, 0x7f, 0},
        {sjis_to_jis_pair, 0x81, 0xfd, 0},      {sjis_to_jis_pair, 0x81, 0x00, 0},
        {jis_to_sjis_pair, 0x21, 0x21, 0x8140}, {jis_to_sjis_pair, 0x7e, 0x7e, 0xeffc},
        {jis_to_sjis_pair, 0x20, 0x21, 0},      {jis_to_sjis_pair, 0x7f, 0x21, 0},
        {jis_to_sjis_pair, 0x21, 0x7f, 0},      {jis_to_sjis_pair, 0x21, 0x00, 0},
        {jis_to_sjis_pair, 0xa1, 0xa1, 0},
    };
    for (const pair_case& c : cases)
        EXPECT_EQ(c.map(c.first, c.second), c.expected)
            << std::hex << unsigned(c.first) << " " << unsigned(c.second);
}

// The input is the tail of a heap block of its exact size, so reading a byte past its
// terminator is a sanitizer error.
void convert_at_block_end(void (*convert)(const char*), const std::string& input) {
    std::unique_ptr<char[]> block(new char[input.size() + 1]);
    std::memcpy(block.get(), input.c_str(), input.size() + 1);
    convert(block.get());
}

// Where Python's iso2022_jp codec decodes the input, the result is its decoding in code
// page 932 (LF widened to CR LF); a cut pair it reports as incomplete ends the result there.
const conversion_case jis_edge_cases[] = {
    {"LF inside a run keeps the run", to_shift_jis, "\x1b$B\x24\x22\n\x24\x24\x1b(B",
     "\x82\xa0\r\n\x82\xa2\0"s},
    {"CR LF inside a run keeps the run", to_shift_jis, "\x1b$B\x24\x22\r\n\x24\x24\x1b(B",
     "\x82\xa0\r\n\x82\xa2\0"s},
    {"stray 8-bit byte inside a run is copied and the run goes on", to_shift_jis,
     "\x1b$B\x24\x22\xb1\x24\x24\x1b(B", "\x82\xa0\xb1\x82\xa2\0"s},
    {"stray space inside a run is copied and the run goes on", to_shift_jis,
     "\x1b$B\x24\x22 \x24\x24", "\x82\xa0 \x82\xa2\0"s},
    {"pair cut by the end", to_shift_jis, "\x1b$B\x24\x22\x24", "\x82\xa0\0"s},
    {"first byte of a run at the end", to_shift_jis, "\x1b$B\x24", "\0"s},
    {"run opened at the end", to_shift_jis, "a\x1b$B", "a\0"s},
    {"run closed and opened again at the end", to_shift_jis, "\x1b$B\x24\x22\x1b(B\x1b$B",
     "\x82\xa0\0"s},
    {"escape byte at the end", to_shift_jis, "a\x1b", "a\x1b\0"s},
    {"escape cut after its second byte", to_shift_jis, "a\x1b$", "a\x1b$\0"s},
    {"closing escape cut after its second byte", to_shift_jis, "\x1b$B\x24\x22\x1b(",
     "\x82\xa0\x1b\0"s},
    {"lone lead byte at the end", to_iso2022jp, "a\x82", "a\x1b$B\x22\x2e\x1b(B\0"s},
    {"CR at the end", to_iso2022jp, "a\r", "a\n\0"s},
};

TEST(jis, edge_inputs_end_the_result_in_place_and_read_nothing_past_the_terminator) {
    for (const conversion_case& c : jis_edge_cases) {
        std::memset(conversion_output, '#', conversion_size);
        convert_at_block_end(c.convert, c.input);
        EXPECT_EQ(raw(c.expected.size()), c.expected) << c.name;
    }
}

struct growth_case {
    const char* name;
    void (*convert)(const char*);
    std::string input;
    std::size_t length;
    std::string tail;
};

const growth_case growth_cases[] = {
    {"base64 input longer than a clip", decode_base64, repeat("TWFu", 7500), 20478, "ManMan"},
    {"JIS run fitting exactly", to_iso2022jp, repeat("a", 20471) + "\x82\xa0", 20479,
     "a\x1b$B\x24\x22\x1b(B"},
    {"JIS run without room is left out", to_iso2022jp, repeat("a", 20472) + "\x82\xa0", 20472,
     "aaa"},
    {"JIS long run is closed inside the room", to_iso2022jp, repeat("\x82\xa0", 10239) + "a",
     20478, "\x24\x22\x24\x22\x1b(B"},
    {"JIS alternating runs triple the text", to_iso2022jp, repeat("\x82\xa0" "a", 6826), 20475,
     "\x24\x22\x1b(Ba"},
    {"JIS input longer than a clip", to_iso2022jp, repeat("a", 30000), 20479, "aa"},
    {"SJIS all LF doubles the text", to_shift_jis, repeat("\n", 20479), 20478, "\r\n\r\n"},
    {"SJIS fills the room exactly", to_shift_jis, "x" + repeat("\n", 10239) + "z", 20479,
     "\r\n\r\n"},
    {"SJIS never ends on half a CR LF", to_shift_jis, repeat("\n", 10239) + "\r\nz", 20478,
     "\r\n\r\n"},
    {"SJIS never ends on half a copied pair", to_shift_jis, repeat("\n", 10239) + "\x82\xa0",
     20478, "\r\n\r\n"},
    {"SJIS never ends on half a converted pair", to_shift_jis,
     "\x1b$B" + repeat("\n", 10239) + "\x24\x22", 20478, "\r\n\r\n"},
};

TEST(conversions, cut_a_growing_result_at_a_whole_character) {
    for (const growth_case& c : growth_cases) {
        std::memset(conversion_output, '#', conversion_size);
        c.convert(c.input.c_str());
        ASSERT_NE(std::memchr(conversion_output, 0, conversion_size), nullptr) << c.name;
        const std::string result = shown();
        EXPECT_EQ(result.size(), c.length) << c.name;
        ASSERT_GE(result.size(), c.tail.size()) << c.name;
        EXPECT_EQ(result.substr(result.size() - c.tail.size()), c.tail) << c.name;
    }
}

TEST(jis, cut_result_reads_back_as_a_prefix_of_the_text) {
    const std::string text = repeat("\x82\xa0" "a\r\n", 5000);
    to_iso2022jp(text.c_str());
    const std::string jis = shown();
    ASSERT_LT(jis.size(), conversion_size);
    to_shift_jis(jis.c_str());
    const std::string back = shown();
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back, text.substr(0, back.size()));
}

}  // namespace
