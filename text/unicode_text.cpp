#include "text/unicode_text.h"

#include <cstdint>

#include "text/cp932.h"

namespace {

// Code points that Japanese text from other systems uses for these Shift_JIS characters,
// where code page 932 reads the same bytes as other code points.
struct mapped_code_point {
    std::uint32_t code_point;
    unsigned char lead;
    unsigned char trail;
};
constexpr mapped_code_point mapped[] = {
    {0x301C, 0x81, 0x60}, {0x2016, 0x81, 0x61}, {0x2212, 0x81, 0x7C}, {0x2014, 0x81, 0x5C},
    {0x00A2, 0x81, 0x91}, {0x00A3, 0x81, 0x92}, {0x00AC, 0x81, 0xCA},
};

bool is_surrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}
bool is_high_surrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::size_t sjis_of(std::uint32_t code_point, char (&out)[2]) {
    for (const mapped_code_point& m : mapped) {
        if (m.code_point != code_point) continue;
        out[0] = static_cast<char>(m.lead);
        out[1] = static_cast<char>(m.trail);
        return 2;
    }
    if (is_surrogate(code_point)) return 0;
    return cp932_from_code_point(code_point, out);
}

// The character starting at text[i]: its code point and the units it takes.
std::uint32_t code_point_at(const char16_t* text, std::size_t count, std::size_t i, std::size_t& units) {
    const std::uint32_t unit = text[i];
    units = 1;
    if (!is_high_surrogate(unit) || i + 1 >= count || !is_low_surrogate(text[i + 1])) return unit;
    units = 2;
    return 0x10000 + ((unit - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
}

// Bytes a UTF-8 sequence takes, from its first byte; 0 for a byte no sequence starts with.
std::size_t sequence_length(unsigned char first) {
    if (first < 0x80) return 1;
    if (first >= 0xC2 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xF0 && first <= 0xF4) return 4;
    return 0;
}

constexpr std::uint32_t smallest_of_length[] = {0, 0, 0x80, 0x800, 0x10000};
constexpr std::uint32_t no_code_point = 0xFFFFFFFF;

// The code point of a sequence of size bytes, or no_code_point.
std::uint32_t decode_sequence(const unsigned char* text, std::size_t size) {
    std::uint32_t code_point = size == 1 ? text[0] : text[0] & (0x7F >> size);
    for (std::size_t k = 1; k < size; ++k) {
        if ((text[k] & 0xC0) != 0x80) return no_code_point;
        code_point = code_point << 6 | (text[k] & 0x3F);
    }
    if (code_point < smallest_of_length[size] || code_point > 0x10FFFF || is_surrogate(code_point))
        return no_code_point;
    return code_point;
}

}  // namespace

sjis_conversion utf16_to_sjis(const char16_t* text, std::size_t count, char* field, std::size_t field_size) {
    sjis_conversion result{0, 0, false, 0};
    if (field_size == 0) return result;
    std::size_t i = 0;
    while (i < count && text[i] != 0) {
        std::size_t units = 1;
        char bytes[2] = {'?', '\0'};
        std::size_t size = sjis_of(code_point_at(text, count, i, units), bytes);
        const bool unmappable = size == 0;
        if (unmappable) {
            bytes[0] = '?';
            size = 1;
        }
        if (result.length + size > field_size - 1) {
            result.cut = true;
            break;
        }
        for (std::size_t k = 0; k < size; ++k) field[result.length++] = bytes[k];
        if (unmappable) ++result.unmappable;
        i += units;
    }
    result.units_read = i;
    field[result.length] = '\0';
    return result;
}

std::size_t utf8_to_utf16(const char* text, std::size_t length, char16_t* out, std::size_t out_size) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < length) {
        const std::size_t size = sequence_length(bytes[i]);
        if (size == 0 || i + size > length) return not_utf8;
        const std::uint32_t code_point = decode_sequence(bytes + i, size);
        if (code_point == no_code_point) return not_utf8;
        const std::size_t units = code_point >= 0x10000 ? 2 : 1;
        if (written + units > out_size) return not_utf8;
        if (units == 2) {
            out[written++] = static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10));
            out[written++] = static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF));
        } else {
            out[written++] = static_cast<char16_t>(code_point);
        }
        i += size;
    }
    return written;
}

std::size_t sjis_to_utf16(const char* text, std::size_t length, char16_t* out, std::size_t out_size) {
    if (out_size == 0) return 0;
    const std::size_t written = cp932_to_utf16(text, length, out, out_size - 1);
    out[written] = u'\0';
    return written;
}

bool may_stand_for_other_text(const char* sjis, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        if (c == '?') return true;
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead || i + 1 >= length) continue;
        const unsigned char trail = static_cast<unsigned char>(sjis[i + 1]);
        for (const mapped_code_point& m : mapped)
            if (m.lead == c && m.trail == trail) return true;
        ++i;
    }
    return false;
}
