// Shared body of the conversion fuzz targets: any input, terminated, must give
// a result whose terminator lies inside conversion_output. Writes past it are
// AddressSanitizer's to catch.
#pragma once

#include "text/encodings.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

inline int fuzz_conversion(void (*convert)(const char*), const std::uint8_t* data,
                           std::size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    // A terminator left over from an earlier run must not pass for this one's.
    std::memset(conversion_output, 0x5A, conversion_size);
    convert(text.data());
    if (std::memchr(conversion_output, 0, conversion_size) == nullptr) std::abort();
    return 0;
}
