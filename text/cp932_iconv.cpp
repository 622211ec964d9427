#include <iconv.h>

#include <cstring>

#include "text/cp932.h"

namespace {

iconv_t encoder() {
    static const iconv_t descriptor = iconv_open("CP932", "UTF-32LE");
    return descriptor;
}
iconv_t decoder() {
    static const iconv_t descriptor = iconv_open("UTF-16LE", "CP932");
    return descriptor;
}

// One step of iconv; returns the bytes written to out, or 0 when the input was refused.
std::size_t convert(iconv_t descriptor, const char* in, std::size_t in_size, char* out,
                    std::size_t out_size) {
    if (descriptor == reinterpret_cast<iconv_t>(-1)) return 0;
    char* from = const_cast<char*>(in);
    char* to = out;
    std::size_t in_left = in_size;
    std::size_t out_left = out_size;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    if (iconv(descriptor, &from, &in_left, &to, &out_left) == static_cast<std::size_t>(-1)) return 0;
    return out_size - out_left;
}

std::uint16_t unit_of(const char* le) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(le[0]) | static_cast<unsigned char>(le[1])
                                                                              << 8);
}

}  // namespace

// What the system's WC_NO_BEST_FIT_CHARS does: a character counts only when its bytes
// read back as the same character.
std::size_t cp932_from_code_point(std::uint32_t code_point, char (&out)[2]) {
    const char in[4] = {static_cast<char>(code_point & 0xFF), static_cast<char>(code_point >> 8 & 0xFF),
                        static_cast<char>(code_point >> 16 & 0xFF),
                        static_cast<char>(code_point >> 24 & 0xFF)};
    char bytes[4];
    const std::size_t count = convert(encoder(), in, sizeof in, bytes, sizeof bytes);
    if (count < 1 || count > 2) return 0;
    char back[4];
    if (convert(decoder(), bytes, count, back, sizeof back) != 2 || unit_of(back) != code_point) return 0;
    out[0] = bytes[0];
    out[1] = bytes[1];
    return count;
}

// A byte that starts no cp932 character gives U+30FB, the code page's default character.
std::size_t cp932_to_utf16(const char* bytes, std::size_t length, char16_t* out, std::size_t out_size) {
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < length && written < out_size) {
        char le[2];
        std::size_t taken = 1;
        if (convert(decoder(), bytes + i, 1, le, sizeof le) != 2) {
            taken = 2;
            if (i + 1 >= length || convert(decoder(), bytes + i, 2, le, sizeof le) != 2) {
                taken = 1;
                le[0] = static_cast<char>(0xFB);
                le[1] = 0x30;
            }
        }
        out[written++] = static_cast<char16_t>(unit_of(le));
        i += taken;
    }
    return written;
}
