// The one rule of a whole Shift_JIS (code page 932) character, and what is built on it:
// cutting a text without splitting a character, and finding a text by whole characters.
#pragma once
#include <cstddef>

// A lead byte opens a double-byte character only when a trail byte follows it; a lead
// byte without one stands alone, as a single byte.
bool is_sjis_lead(unsigned char byte);
bool is_sjis_trail(unsigned char byte);
// Bytes of the character that starts at text: 2 for a lead byte followed by a trail
// byte, else 1 (0 at the terminator).
std::size_t sjis_char_length(const char* text);

// Length of the longest prefix of text, at most max_bytes long, that ends on a whole
// character.
std::size_t sjis_whole_prefix(const char* text, std::size_t max_bytes);

// The first place in text, on a character boundary, where wanted starts; nullptr when
// there is none. An empty wanted matches at the start.
const char* sjis_find(const char* text, const char* wanted);
