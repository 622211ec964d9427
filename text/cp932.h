// Code page 932 itself, one step below the Unicode conversions: the system's own tables
// in the program, the C library's in the native build that tests the conversions.
#pragma once
#include <cstddef>
#include <cstdint>

// The cp932 bytes of one code point, without best-fit stand-ins: 1 or 2 bytes in out,
// or 0 when code page 932 has no such character.
std::size_t cp932_from_code_point(std::uint32_t code_point, char (&out)[2]);

// Shift_JIS bytes (length bytes, zero bytes included) to UTF-16 units in out (out_size
// units, at least length); returns the units written. Every cp932 character lies in the
// Basic Multilingual Plane, so the units never outnumber the bytes.
std::size_t cp932_to_utf16(const char* bytes, std::size_t length, char16_t* out, std::size_t out_size);
