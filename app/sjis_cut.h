// Cutting Shift_JIS text without splitting a double-byte character.
#pragma once
#include <cstddef>

bool is_sjis_lead_byte(unsigned char byte);
// Length of the longest prefix of text, at most max_bytes long, that ends on a whole
// character.
size_t sjis_whole_prefix(const char* text, size_t max_bytes);
