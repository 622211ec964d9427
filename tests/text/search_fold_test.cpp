#include "text/search_fold.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "text/cp932.h"
#include "text/sjis.h"

namespace {

struct row {
  const char* query;
  const char* text;
  bool found;
};

const row rows[] = {
    // ASCII letters ignore case; full-width ASCII is ASCII.
    {"apple", "An APPLE pie", true},
    {"ABC", "xabcx", true},
    {"abc", "ＡＢＣ", true},
    {"ＡＢＣ", "abc", true},
    {"ａｂｃ", "ＡｂC", true},
    {"123", "１２３", true},
    {"a-b", "ａ－ｂ", true},
    {"abd", "abc", false},
    // Half-width and full-width katakana, hiragana and katakana.
    {"カタカナ", "ｶﾀｶﾅ", true},
    {"ｶﾀｶﾅ", "かたかな", true},
    {"かたかな", "カタカナ", true},
    {"ー", "ｰ", true},
    {"「あ」", "｢ｱ｣", true},
    // Voiced and semi-voiced marks stay distinct; the half-width pairs are the same kana.
    {"ハ", "バ", false},
    {"ハ", "パ", false},
    {"ﾊ", "ﾊﾞ", false},
    {"バ", "パ", false},
    {"ｶﾞ", "ガ", true},
    {"ガ", "ｶﾞ", true},
    {"が", "ｶﾞ", true},
    {"ﾊﾟ", "パ", true},
    {"ヴ", "ｳﾞ", true},
    {"ウ", "ヴ", false},
    {"ハ", "ハバ", true},
    {"ﾞ", "ガ", false},
    // Whole characters only: 結 (8C 8B) lies across the bytes of 東京 (93 8C 8B 9E).
    {"結", "東京", false},
    {"結", "東京の結果", true},
    {"a", "\x8a\x61", false},
    // Every space-separated term must occur, in any order; a full-width space separates too.
    {"pie apple", "apple pie", true},
    {"pie　apple", "apple pie", true},
    {"pie cake", "apple pie", false},
    {"  pie  ", "apple pie", true},
    {"", "anything", true},
    {"東京 かな", "ｶﾅ in 東京", true},
    // A variant kanji and its common form, either way; the IBM and NEC-selected copies
    // (FB FC, EE E0) of 髙 are the same character.
    {"高橋", "髙橋", true},
    {"髙橋", "高橋", true},
    {"高橋", "\xEE\xE0橋", true},
    {"\xEE\xE0", "\xFB\xFC", true},
    {"崎", "山﨑", true},
    {"德", "徳川", true},
    {"欅", "﨔坂", true},
    {"神", "\xEE\x62社", true},
    {"清水", "\xFB\x43水", true},
    {"高", "亮", false},
    {"高", "髜", false},
    {"崎", "埼", false},
    // Signs written twice: NEC row 13, the IBM extensions and their NEC-selected copies.
    {"\xFA\x4A", "\x87\x54", true},
    {"\xEE\xEF", "\xFA\x40", true},
    {"\x87\x90", "\x81\xE0", true},
    {"\xEE\xF9", "\xFA\x54", true},
    {"\x81\xCA", "\xEE\xF9", true},
    {"\xFA\x58", "\x87\x8A", true},
    {"\xFA\x40", "\xFA\x4A", false},
};

TEST(search_fold, every_query_finds_what_the_folding_rule_says) {
  for (const row& r : rows)
    EXPECT_EQ(text_matches(r.text, make_search_query(r.query)), r.found) << r.query << " in " << r.text;
}

// Every two pairs the code page reads as one character fold alike, and a folded pair
// folds to itself.
TEST(search_fold, pairs_of_one_character_fold_alike) {
  std::map<char16_t, std::string> folded_of;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      if (!is_sjis_lead(static_cast<unsigned char>(lead)) || !is_sjis_trail(static_cast<unsigned char>(trail))) continue;
      char16_t unit[2];
      if (cp932_to_utf16(pair, 2, unit, 2) != 1) continue;
      char folded[2];
      const std::string form(folded, fold_for_search(pair, 2, folded));
      char again[2];
      EXPECT_EQ(std::string(again, fold_for_search(form.data(), form.size(), again)), form) << std::hex << lead << trail;
      const auto known = folded_of.emplace(unit[0], form);
      EXPECT_EQ(known.first->second, form) << std::hex << lead << ' ' << trail;
    }
  EXPECT_GT(folded_of.size(), 7000u);
}

}  // namespace
