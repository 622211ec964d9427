#include "text/sjis.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

TEST(sjis_find, a_kanji_whose_bytes_straddle_two_characters_is_no_match) {
    // 東京 is 93 8C 8B 9E; 結 is 8C 8B, which lies across its two characters.
    EXPECT_EQ(sjis_find("東京", "結"), nullptr);
    const char* text = "東京の結果";
    EXPECT_EQ(sjis_find(text, "結"), text + 6);
    EXPECT_EQ(sjis_find(text, ""), text);
}

// Characters chosen so their bytes overlap: 東 京 結 share bytes 8C and 8B, ｱ (B1) and the
// trail bytes \ and A are single-byte characters that are also trail bytes, and a lead
// byte before a line break stands alone.
const std::vector<std::string> alphabet = {"東", "京", "結", "\xb1", "\\", "A", "\x8c", "\n"};

// The reference: both texts as lists of characters, compared character by character.
std::vector<std::string> characters(const std::vector<int>& picks) {
    std::vector<std::string> out;
    for (int pick : picks) out.push_back(alphabet[pick]);
    return out;
}

std::string joined(const std::vector<std::string>& chars) {
    std::string text;
    for (const std::string& c : chars) text += c;
    return text;
}

// A lone lead byte stays alone only before a byte that is no trail byte (or, in the
// text, at its end); anything else would read as another character.
bool lead_pairs_up(const std::vector<std::string>& chars, bool may_end_alone) {
    for (size_t k = 0; k < chars.size(); ++k) {
        if (chars[k] != "\x8c") continue;
        if (k + 1 == chars.size() ? !may_end_alone : chars[k + 1] != "\n") return true;
    }
    return false;
}

// Byte offset of the first character-wise match, or -1.
long reference_find(const std::vector<std::string>& text, const std::vector<std::string>& wanted) {
    long offset = 0;
    for (size_t start = 0; start + wanted.size() <= text.size(); ++start) {
        size_t k = 0;
        while (k < wanted.size() && text[start + k] == wanted[k]) ++k;
        if (k == wanted.size()) return offset;
        offset += static_cast<long>(text[start].size());
    }
    return -1;
}

TEST(sjis_find, agrees_with_a_character_by_character_search) {
    std::mt19937 random(15);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<int> text_picks(random() % 12);
        for (int& p : text_picks) p = pick(random);
        std::vector<int> wanted_picks(1 + random() % 3);
        for (int& p : wanted_picks) p = pick(random);
        const std::vector<std::string> text = characters(text_picks);
        const std::vector<std::string> wanted = characters(wanted_picks);
        if (lead_pairs_up(text, true) || lead_pairs_up(wanted, false)) continue;
        const std::string text_bytes = joined(text);
        const long expected = reference_find(text, wanted);
        const char* found = sjis_find(text_bytes.c_str(), joined(wanted).c_str());
        const long got = found == nullptr ? -1 : static_cast<long>(found - text_bytes.c_str());
        ASSERT_EQ(got, expected) << "text " << text_bytes << " wanted " << joined(wanted);
        if (got >= 0) ++matches;
    }
    EXPECT_GT(matches, 1000);
}

}  // namespace
