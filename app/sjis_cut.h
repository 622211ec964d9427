// Cutting Shift_JIS text without splitting a double-byte character.
#pragma once
#include <cstddef>

// Length of the longest prefix of text, at most max_bytes long, that ends on a whole
// character.
size_t sjis_whole_prefix(const char* text, size_t max_bytes);
