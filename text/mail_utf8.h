// Mail text in UTF-8: telling it apart and turning it into Shift_JIS.
#pragma once
#include <cstddef>

#include "text/unicode_text.h"

// length bytes of text are valid UTF-8.
bool is_utf8(const char* text, std::size_t length);

// Valid UTF-8 (length bytes) to Shift_JIS in conversion_output from position o on, '?'
// standing for each character Shift_JIS lacks; returns the position after its last byte,
// with no terminator written. Returns not_utf8 and writes nothing when the bytes are no
// valid UTF-8. text may lie in conversion_output itself.
std::size_t append_utf8_as_shift_jis(const char* text, std::size_t length, std::size_t o);

// The "Q" encoding of a header word: "_" a blank, "=XX" one byte, anything else itself.
// out holds length + 1 bytes and is terminated.
void decode_q_payload(const char* payload, std::size_t length, char* out);
