// The search form of Shift_JIS text, used to find clips as the user types. Stored texts
// are never changed: a copy is folded, and so is the query.
//
// Folded alike: ASCII letters of either case; full-width ASCII and ASCII; full-width
// katakana, half-width katakana and hiragana. Every kana folds to its half-width form, so
// a voiced kana keeps its mark as a byte of its own (ガ, が and ｶﾞ are all B6 DE) and the
// folded text is never longer than the text. A half-width kana with the mark after it is
// one character: ハ finds neither バ nor パ. A kanji or sign the code page writes two or
// three ways, and a variant kanji beside its common form (髙 高, 﨑 崎), are one.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Writes the folded form of length bytes of text to out (room for length bytes; out may
// be text itself) and returns its length. Stops at the first zero byte.
std::size_t fold_for_search(const char* text, std::size_t length, char* out);

struct search_term {
  std::string folded;
};

// A query: terms separated by ASCII or full-width spaces, each of which must occur.
struct search_query {
  std::vector<search_term> terms;
  // The term the filter looks for first: the longest, so the fewest places need checking.
  std::size_t primary = 0;
};

search_query make_search_query(const char* query);

// Whether the folded record [begin, end) holds every term on whole characters of it.
bool holds_terms(const char* begin, const char* end, const search_query& query);
// Folds text and checks every term: the plain way, for short lists of texts.
bool text_matches(const char* text, const search_query& query);

// The first place in [from, end) where needle (length bytes, at least one) starts, or end.
const char* find_bytes(const char* from, const char* end, const char* needle, std::size_t length);
