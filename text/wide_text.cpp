#include "text/wide_text.h"

#include <vector>

#include "text/unicode_text.h"

std::u16string utf16_from_sjis(std::string_view sjis) {
    std::vector<char16_t> units(sjis.size() + 1);
    const std::size_t written = sjis_to_utf16(sjis.data(), sjis.size(), units.data(), units.size());
    return std::u16string(units.data(), written);
}

sjis_text sjis_from_utf16(std::u16string_view text) {
    // No character takes more than two bytes, and a pair of units makes one '?'.
    std::vector<char> field(text.size() * 2 + 1);
    const sjis_conversion done = utf16_to_sjis(text.data(), text.size(), field.data(), field.size());
    return sjis_text{std::string(field.data(), done.length), done.unmappable};
}
