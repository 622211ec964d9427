#include "text/search_fold.h"

#include <cstdint>
#include <cstring>

#include "text/cp932_variants.h"
#include "text/sjis.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr unsigned char voiced_mark = 0xDE;
constexpr unsigned char semi_voiced_mark = 0xDF;

// Full-width katakana 83 40 to 83 96 in their half-width form: the kana, then its mark or
// 0; 0 0 for the few that have none (ヮ ヰ ヱ ヵ ヶ), which stay full-width.
const unsigned char katakana_half[0x57][2] = {
    {0xA7, 0}, {0xB1, 0}, {0xA8, 0}, {0xB2, 0}, {0xA9, 0}, {0xB3, 0}, {0xAA, 0}, {0xB4, 0},       // 40-47
    {0xAB, 0}, {0xB5, 0}, {0xB6, 0}, {0xB6, 0xDE}, {0xB7, 0}, {0xB7, 0xDE}, {0xB8, 0},           // 48-4E
    {0xB8, 0xDE}, {0xB9, 0}, {0xB9, 0xDE}, {0xBA, 0}, {0xBA, 0xDE}, {0xBB, 0}, {0xBB, 0xDE},     // 4F-55
    {0xBC, 0}, {0xBC, 0xDE}, {0xBD, 0}, {0xBD, 0xDE}, {0xBE, 0}, {0xBE, 0xDE}, {0xBF, 0},        // 56-5C
    {0xBF, 0xDE}, {0xC0, 0}, {0xC0, 0xDE}, {0xC1, 0}, {0xC1, 0xDE}, {0xAF, 0}, {0xC2, 0},        // 5D-63
    {0xC2, 0xDE}, {0xC3, 0}, {0xC3, 0xDE}, {0xC4, 0}, {0xC4, 0xDE}, {0xC5, 0}, {0xC6, 0},        // 64-6A
    {0xC7, 0}, {0xC8, 0}, {0xC9, 0}, {0xCA, 0}, {0xCA, 0xDE}, {0xCA, 0xDF}, {0xCB, 0},           // 6B-71
    {0xCB, 0xDE}, {0xCB, 0xDF}, {0xCC, 0}, {0xCC, 0xDE}, {0xCC, 0xDF}, {0xCD, 0}, {0xCD, 0xDE},  // 72-78
    {0xCD, 0xDF}, {0xCE, 0}, {0xCE, 0xDE}, {0xCE, 0xDF}, {0xCF, 0}, {0xD0, 0}, {0, 0},           // 79-7F
    {0xD1, 0}, {0xD2, 0}, {0xD3, 0}, {0xAC, 0}, {0xD4, 0}, {0xAD, 0}, {0xD5, 0}, {0xAE, 0},      // 80-87
    {0xD6, 0}, {0xD7, 0}, {0xD8, 0}, {0xD9, 0}, {0xDA, 0}, {0xDB, 0}, {0, 0}, {0xDC, 0},         // 88-8F
    {0, 0}, {0, 0}, {0xA6, 0}, {0xDD, 0}, {0xB3, 0xDE}, {0, 0}, {0, 0},                          // 90-96
};

// Row 81: the full-width forms of ASCII signs and the Japanese signs that have a
// half-width form.
struct sign {
  unsigned char trail, folded;
};
const sign signs[] = {
    {0x40, ' '}, {0x41, 0xA4}, {0x42, 0xA1}, {0x43, ','}, {0x44, '.'}, {0x45, 0xA5}, {0x46, ':'}, {0x47, ';'},
    {0x48, '?'}, {0x49, '!'}, {0x4D, '`'}, {0x4F, '^'}, {0x51, '_'}, {0x5B, 0xB0}, {0x5E, '/'}, {0x5F, '\\'},
    {0x62, '|'}, {0x69, '('}, {0x6A, ')'}, {0x6D, '['}, {0x6E, ']'}, {0x6F, '{'}, {0x70, '}'}, {0x75, 0xA2},
    {0x76, 0xA3}, {0x7B, '+'}, {0x7C, '-'}, {0x81, '='}, {0x83, '<'}, {0x84, '>'}, {0x90, '$'}, {0x93, '%'},
    {0x94, '#'}, {0x95, '&'}, {0x96, '*'}, {0x97, '@'},
};

bool is_joinable_kana(unsigned char byte) { return byte >= 0xA6 && byte <= 0xDD; }
bool is_mark(unsigned char byte) { return byte == voiced_mark || byte == semi_voiced_mark; }

// A full-width katakana (trail byte 40-96 of row 83), written as its half-width form.
std::size_t fold_katakana(unsigned char trail, unsigned char* out) {
  const unsigned char* half = katakana_half[trail - 0x40];
  if (half[0] == 0) {
    out[0] = 0x83;
    out[1] = trail;
    return 2;
  }
  out[0] = half[0];
  if (half[1] == 0) return 1;
  out[1] = half[1];
  return 2;
}

// One double-byte character, written in its folded form; returns the bytes written.
std::size_t fold_pair(unsigned char lead, unsigned char trail, unsigned char* out) {
  const unsigned form = search_form_of_pair(static_cast<unsigned>(lead) << 8 | trail);
  lead = static_cast<unsigned char>(form >> 8);
  trail = static_cast<unsigned char>(form & 0xFF);
  if (lead == 0x82) {
    if (trail >= 0x4F && trail <= 0x58) return out[0] = static_cast<unsigned char>('0' + trail - 0x4F), 1;
    if (trail >= 0x60 && trail <= 0x79) return out[0] = static_cast<unsigned char>('a' + trail - 0x60), 1;
    if (trail >= 0x81 && trail <= 0x9A) return out[0] = static_cast<unsigned char>('a' + trail - 0x81), 1;
    // Hiragana: the katakana row skips trail byte 7F, the hiragana row does not.
    if (trail >= 0x9F && trail <= 0xF1) return fold_katakana(static_cast<unsigned char>(trail - (trail < 0xDE ? 0x5F : 0x5E)), out);
  } else if (lead == 0x83 && trail <= 0x96) {
    return fold_katakana(trail, out);
  } else if (lead == 0x81) {
    for (const sign& s : signs)
      if (s.trail == trail) return out[0] = s.folded, 1;
  }
  out[0] = lead;
  out[1] = trail;
  return 2;
}

// The rows whose pairs can fold: signs, kana, and the code page's variant kanji.
const unsigned char folding_leads[] = {0x81, 0x82, 0x83, 0x87, 0xED, 0xEE, 0xFA, 0xFB, 0xFC};
constexpr std::size_t folding_row_count = sizeof folding_leads;

// The shared lead and trail rules and the folds of those rows, looked up per byte:
// every byte of a history is folded when the find window opens.
struct fold_tables {
  bool lead[256];
  bool trail[256];
  unsigned char single[256];
  // 1 + the index of the lead's row, or 0 for a row copied as it is.
  unsigned char row_of[256];
  struct pair {
    unsigned char bytes[2];
    unsigned char length;
  } rows[folding_row_count][256];
  fold_tables() : row_of() {
    for (std::size_t row = 0; row < folding_row_count; ++row) row_of[folding_leads[row]] = static_cast<unsigned char>(row + 1);
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      lead[b] = is_sjis_lead(byte);
      trail[b] = is_sjis_trail(byte);
      single[b] = byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
      for (std::size_t row = 0; row < folding_row_count; ++row)
        rows[row][b].length = trail[b] ? static_cast<unsigned char>(fold_pair(folding_leads[row], byte, rows[row][b].bytes)) : 0;
    }
  }
};
const fold_tables tables;

bool is_pair(const unsigned char* at, const unsigned char* end) {
  return at + 1 < end && tables.lead[at[0]] && tables.trail[at[1]];
}

// Whether a double-byte character starts or ends at at. A byte that is no lead byte
// always ends a character; the lead-range bytes after it pair up from there, each one
// being a trail byte too, so their count tells.
bool is_pair_boundary(const unsigned char* begin, const unsigned char* at, const unsigned char* end) {
  const unsigned char* run = at;
  while (run > begin && tables.lead[run[-1]]) --run;
  return ((at - run) & 1) == 0 || at == end || !tables.trail[*at];
}

// The same for folded characters, where a half-width kana and its mark are one.
bool is_boundary(const unsigned char* begin, const unsigned char* at, const unsigned char* end) {
  if (!is_pair_boundary(begin, at, end)) return false;
  return at == begin || at == end || !is_mark(*at) || !is_joinable_kana(at[-1]) || !is_pair_boundary(begin, at - 1, end);
}

// The first place in [begin, end) where term lies on whole folded characters, or end.
const char* find_term(const char* begin, const char* end, const search_term& term) {
  const auto* b = reinterpret_cast<const unsigned char*>(begin);
  const auto* e = reinterpret_cast<const unsigned char*>(end);
  const std::size_t length = term.folded.size();
  for (const char* found = find_bytes(begin, end, term.folded.data(), length); found != end;
       found = find_bytes(found + 1, end, term.folded.data(), length)) {
    const auto* at = reinterpret_cast<const unsigned char*>(found);
    // A kana at the term's end must not be the first half of a voiced kana, nor a lone
    // lead byte the first half of a pair.
    if (is_boundary(b, at, e) && is_boundary(b, at + length, e)) return found;
  }
  return end;
}

}  // namespace

std::size_t fold_for_search(const char* text, std::size_t length, char* out) {
  const auto* at = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = at + length;
  auto* to = reinterpret_cast<unsigned char*>(out);
  // Both bytes of a pair are read before its fold is written: folding in place never
  // overtakes the input.
  while (at < end) {
    const unsigned char c = *at;
    if (c == 0) break;
    if (tables.lead[c] && at + 1 < end && tables.trail[at[1]]) {
      const unsigned char trail = at[1];
      if (tables.row_of[c] != 0) {
        const fold_tables::pair& folded = tables.rows[tables.row_of[c] - 1][trail];
        to[0] = folded.bytes[0];
        to[1] = folded.bytes[1];
        to += folded.length;
      } else {
        to[0] = c;
        to[1] = trail;
        to += 2;
      }
      at += 2;
      continue;
    }
    *to++ = tables.single[c];
    ++at;
  }
  return static_cast<std::size_t>(to - reinterpret_cast<unsigned char*>(out));
}

search_query make_search_query(const char* query) {
  search_query result;
  std::string term;
  const auto* at = reinterpret_cast<const unsigned char*>(query);
  const unsigned char* end = at + std::strlen(query);
  auto finish_term = [&result, &term] {
    if (term.empty()) return;
    search_term t;
    t.folded.resize(term.size());
    t.folded.resize(fold_for_search(term.data(), term.size(), &t.folded[0]));
    result.terms.push_back(t);
    term.clear();
  };
  while (at < end) {
    const std::size_t n = is_pair(at, end) ? 2 : 1;
    if (*at == ' ' || (n == 2 && at[0] == 0x81 && at[1] == 0x40))
      finish_term();
    else
      term.append(reinterpret_cast<const char*>(at), n);
    at += n;
  }
  finish_term();
  for (std::size_t k = 1; k < result.terms.size(); ++k)
    if (result.terms[k].folded.size() > result.terms[result.primary].folded.size()) result.primary = k;
  return result;
}

bool holds_terms(const char* begin, const char* end, const search_query& query) {
  for (const search_term& term : query.terms)
    if (find_term(begin, end, term) == end) return false;
  return true;
}

bool text_matches(const char* text, const search_query& query) {
  std::string folded(std::strlen(text), '\0');
  folded.resize(fold_for_search(text, folded.size(), &folded[0]));
  return holds_terms(folded.data(), folded.data() + folded.size(), query);
}

const char* find_bytes(const char* from, const char* end, const char* needle, std::size_t length) {
  if (length == 0 || static_cast<std::size_t>(end - from) < length) return end;
  const char* last_start = end - length;
  const char* p = from;
#ifdef __SSE2__
  // Sixteen starts at a time: those whose first and last bytes both match are checked.
  const __m128i first = _mm_set1_epi8(needle[0]);
  const __m128i last = _mm_set1_epi8(needle[length - 1]);
  for (; last_start - p >= 15; p += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + length - 1));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    for (; mask != 0; mask &= mask - 1) {
      const char* candidate = p + __builtin_ctz(mask);
      if (length <= 2 || std::memcmp(candidate, needle, length) == 0) return candidate;
    }
  }
#endif
  for (; p <= last_start; ++p)
    if (*p == needle[0] && std::memcmp(p, needle, length) == 0) return p;
  return end;
}
