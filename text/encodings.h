// Mail-text conversions: Base64 to bytes, Shift_JIS <-> ISO-2022-JP.
// The three conversions share one result area; each ends its result with a
// zero byte inside it, whatever the input.
#pragma once

#include <cstddef>

#include "text/sjis.h"

constexpr std::size_t conversion_size = 20480;

// Not cleared between runs: bytes past a result's terminator are left over.
extern char conversion_output[conversion_size];

bool is_jis_byte(unsigned char byte);

// JIS X 0208 row/cell pair -> Shift_JIS pair as (first << 8) | second;
// 0 when either byte is not a JIS byte.
unsigned int jis_to_sjis_pair(unsigned char first, unsigned char second);

// Shift_JIS pair -> JIS X 0208 pair as (first << 8) | second; 0 when the pair
// is not lead + trail or falls outside 0x2121-0x7E7E (lead bytes 0xF0-0xFC).
unsigned int sjis_to_jis_pair(unsigned char first, unsigned char second);

// Mail text to Shift_JIS (text/mail_decode.cpp): a Base64 body, or header text whose
// encoded words are decoded.
void decode_base64(const char* text);
// Characters JIS X 0208 lacks become 〓 (or the same character from JIS X 0208 or the
// NEC special row); jis_replaced_characters counts the 〓 of the last conversion.
void to_iso2022jp(const char* text);
extern std::size_t jis_replaced_characters;
void to_shift_jis(const char* text);
// to_shift_jis writing from position o of conversion_output on; returns the position
// after its last byte and writes no terminator.
std::size_t append_shift_jis(const char* text, std::size_t o);
// Room left in conversion_output from position o for count more bytes, the terminator
// kept aside.
bool conversion_fits(std::size_t o, std::size_t count);
