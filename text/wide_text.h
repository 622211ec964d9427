// Whole texts between the Shift_JIS the program keeps and the UTF-16 that windows speak,
// always through code page 932 whatever the system's code page is.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Shift_JIS bytes to UTF-16; zero bytes are kept.
std::u16string utf16_from_sjis(std::string_view sjis);

struct sjis_text {
    std::string bytes;
    std::size_t unmappable;  // characters Shift_JIS lacks, each written as one '?'
};

// UTF-16 to Shift_JIS up to the first zero unit; a lone surrogate is a character Shift_JIS
// lacks.
sjis_text sjis_from_utf16(std::u16string_view text);
