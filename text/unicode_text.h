// Unicode text to and from Shift_JIS: what other programs hand over in UTF-16 or UTF-8
// becomes the Shift_JIS this program keeps, and its Shift_JIS goes out as UTF-16 too.
#pragma once
#include <cstddef>

struct sjis_conversion {
    std::size_t length;      // bytes written, terminator excluded
    std::size_t unmappable;  // characters Shift_JIS lacks, each written as one '?'
    bool cut;                // characters were left out for want of room
    std::size_t units_read;  // units the written characters came from
};

// UTF-16 (count units, ending early at a zero unit) to Shift_JIS in field (field_size
// bytes, terminator included). A surrogate pair is one character; a double-byte
// character that does not fit whole is left out.
sjis_conversion utf16_to_sjis(const char16_t* text, std::size_t count, char* field, std::size_t field_size);

constexpr std::size_t not_utf8 = static_cast<std::size_t>(-1);

// UTF-8 (length bytes) to UTF-16 units in out (out_size units; length units always
// suffice). Returns the units written, or not_utf8 when the bytes are no valid UTF-8:
// overlong forms, surrogates, code points past U+10FFFF and cut sequences are refused.
std::size_t utf8_to_utf16(const char* text, std::size_t length, char16_t* out, std::size_t out_size);

// Shift_JIS (length bytes) to UTF-16 in out (out_size units, at least length + 1),
// terminated; returns the units before the terminator.
std::size_t sjis_to_utf16(const char* text, std::size_t length, char16_t* out, std::size_t out_size);

// False when no other Unicode text converts to these Shift_JIS bytes than the one they
// read back as: they hold no '?' (what Shift_JIS lacks) and none of the characters that
// other systems' code points also become. Spares a look for an original that cannot be.
bool may_stand_for_other_text(const char* sjis, std::size_t length);
