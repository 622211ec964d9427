#include "text/cp932_variants.h"

#include <cstddef>

namespace {

// Pairs in the order of the code page, counting only valid trail bytes (40-7E, 80-FC),
// so that a run of characters is a run of numbers.
unsigned number_of(unsigned pair) {
  const unsigned trail = pair & 0xFF;
  return (pair >> 8) * 188 + trail - (trail < 0x80 ? 0x40 : 0x41);
}
unsigned pair_of(unsigned number) {
  const unsigned trail = number % 188;
  return (number / 188) << 8 | (trail + (trail < 0x3F ? 0x40 : 0x41));
}

struct run {
  unsigned first, last, to;
};

// Sorted by first. The code page reads every pair of a run as the character of the pair
// it maps to, which is the one the system writes the character as: JIS X 0208 first, then
// NEC row 13, then the IBM extensions (FA-FC) over their NEC-selected copies (ED-EE).
// Then single pairs from an IBM extension to the common form of the same kanji in JIS
// X 0208: those Unicode itself makes equal (its compatibility kanji), the old forms that
// the list of kanji for common use gives beside the common ones, and the well-known
// variants of names.
const run runs[] = {
    {0x8790, 0x8790, 0x81E0},  // ≒
    {0x8791, 0x8791, 0x81DF},  // ≡
    {0x8792, 0x8792, 0x81E7},  // ∫
    {0x8795, 0x8795, 0x81E3},  // √
    {0x8796, 0x8796, 0x81DB},  // ⊥
    {0x8797, 0x8797, 0x81DA},  // ∠
    {0x879A, 0x879A, 0x81E6},  // ∵
    {0x879B, 0x879B, 0x81BF},  // ∩
    {0x879C, 0x879C, 0x81BE},  // ∪
    {0xED40, 0xEEEC, 0xFA5C},  // 纊 to 黑
    {0xEEEF, 0xEEF8, 0xFA40},  // ⅰ to ⅹ
    {0xEEF9, 0xEEF9, 0x81CA},  // ￢
    {0xEEFA, 0xEEFC, 0xFA55},  // ￤ ＇ ＂
    {0xFA4A, 0xFA53, 0x8754},  // Ⅰ to Ⅹ
    {0xFA54, 0xFA54, 0x81CA},  // ￢
    {0xFA58, 0xFA58, 0x878A},  // ㈱
    {0xFA59, 0xFA59, 0x8782},  // №
    {0xFA5A, 0xFA5A, 0x8784},  // ℡
    {0xFA5B, 0xFA5B, 0x81E6},  // ∵
    {0xFA9C, 0xFA9C, 0x92CB},  // 塚 塚
    {0xFA9D, 0xFA9D, 0x919D},  // 增 増
    {0xFAAA, 0xFAAA, 0x8AB0},  // 寬 寛
    {0xFAB1, 0xFAB1, 0x8DE8},  // 﨑 崎
    {0xFABA, 0xFABA, 0x93BF},  // 德 徳
    {0xFABD, 0xFABD, 0x8978},  // 悅 悦
    {0xFAD8, 0xFAD8, 0x90B0},  // 晴 晴
    {0xFAE0, 0xFAE0, 0x984E},  // 朗 朗
    {0xFAEA, 0xFAEA, 0x9F4F},  // 﨔 欅
    {0xFAEE, 0xFAEE, 0x89A1},  // 橫 横
    {0xFB43, 0xFB43, 0x90B4},  // 淸 清
    {0xFB50, 0xFB50, 0x90A3},  // 瀨 瀬
    {0xFB5E, 0xFB5E, 0x9296},  // 猪 猪
    {0xFB75, 0xFB75, 0x8976},  // 益 益
    {0xFB7D, 0xFB7D, 0x97E7},  // 礼 礼
    {0xFB7E, 0xFB7E, 0x905F},  // 神 神
    {0xFB80, 0xFB80, 0x8FCB},  // 祥 祥
    {0xFB82, 0xFB82, 0x959F},  // 福 福
    {0xFB86, 0xFB86, 0x96F5},  // 靖 靖
    {0xFB89, 0xFB89, 0x90B8},  // 精 精
    {0xFB8D, 0xFB8D, 0x97CE},  // 綠 緑
    {0xFB8E, 0xFB8E, 0x8F8F},  // 緖 緒
    {0xFB92, 0xFB92, 0x8948},  // 羽 羽
    {0xFB9E, 0xFB9E, 0x8C4F},  // 薰 薫
    {0xFBA9, 0xFBA9, 0x8F94},  // 諸 諸
    {0xFBAE, 0xFBAE, 0x978A},  // 賴 頼
    {0xFBB4, 0xFBB4, 0x88ED},  // 逸 逸
    {0xFBB6, 0xFBB6, 0x9859},  // 郞 郎
    {0xFBB7, 0xFBB7, 0x9373},  // 都 都
    {0xFBB8, 0xFBB8, 0x8BBD},  // 鄕 郷
    {0xFBE9, 0xFBE9, 0x97B2},  // 隆 隆
    {0xFBF2, 0xFBF2, 0x90C2},  // 靑 青
    {0xFBF6, 0xFBF6, 0x94D1},  // 飯 飯
    {0xFBF7, 0xFBF7, 0x8E94},  // 飼 飼
    {0xFBF9, 0xFBF9, 0x8AD9},  // 館 館
    {0xFBFC, 0xFBFC, 0x8D82},  // 髙 高
    {0xFC49, 0xFC49, 0x92DF},  // 鶴 鶴
    {0xFC4B, 0xFC4B, 0x8D95},  // 黑 黒
};

unsigned one_step(unsigned pair) {
  for (const run& r : runs)
    if (pair >= r.first && pair <= r.last) return pair_of(number_of(r.to) + number_of(pair) - number_of(r.first));
  return pair;
}

}  // namespace

// Two steps: an NEC-selected copy leads to its IBM extension, which may lead on to the
// common form.
unsigned search_form_of_pair(unsigned pair) { return one_step(one_step(pair)); }
