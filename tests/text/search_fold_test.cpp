#include "text/search_fold.h"

#include <gtest/gtest.h>

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
};

TEST(search_fold, every_query_finds_what_the_folding_rule_says) {
  for (const row& r : rows)
    EXPECT_EQ(text_matches(r.text, make_search_query(r.query)), r.found) << r.query << " in " << r.text;
}

}  // namespace
