// Byte-level reading shared by the mail conversions.
#pragma once
#include <cstddef>

constexpr unsigned char jis_escape = 0x1B;

inline unsigned char byte_at(const char* text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// ESC $ B or ESC $ @ at text[i]: the text switches to JIS X 0208. Reads no further than
// a terminator.
inline bool opens_kanji(const char* text, std::size_t i) {
    return byte_at(text, i) == jis_escape && byte_at(text, i + 1) == '$' &&
           (byte_at(text, i + 2) == 'B' || byte_at(text, i + 2) == '@');
}
