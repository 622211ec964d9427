// Every character of code page 932 as glibc's own CP932 converter reads it: the reference
// the conversions both ways are checked against.
#pragma once
#include <iconv.h>

#include <map>
#include <string>
#include <vector>

// The one UTF-16 unit glibc reads from the bytes, or 0 when they are no single character.
inline char16_t cp932_unit_of(const std::string& bytes) {
    iconv_t converter = iconv_open("UTF-16LE", "CP932");
    char* in = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char out[8];
    char* out_at = out;
    std::size_t out_left = sizeof out;
    const std::size_t done = iconv(converter, &in, &in_left, &out_at, &out_left);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || sizeof out - out_left != 2) return 0;
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1])
                                                                          << 8);
}

struct cp932_character {
    std::string bytes;
    char16_t unit;
};

// Every character in byte order, and for each unit its spellings: the code page has a
// few characters twice (NEC and IBM rows). 127 ASCII controls and letters, 63 kana, 7,724
// double-byte characters and 1,880 user-defined ones.
struct cp932_table {
    std::vector<cp932_character> characters;
    std::map<char16_t, std::vector<std::string>> spellings;
};

inline cp932_table cp932_reference() {
    cp932_table table;
    for (unsigned int byte = 0x01; byte <= 0xFF; ++byte) {
        std::vector<std::string> candidates{std::string(1, static_cast<char>(byte))};
        for (unsigned int trail = 0x40; trail <= 0xFC && byte >= 0x81; ++trail)
            candidates.push_back({static_cast<char>(byte), static_cast<char>(trail)});
        for (const std::string& bytes : candidates) {
            const char16_t unit = cp932_unit_of(bytes);
            if (unit == 0) continue;
            table.characters.push_back({bytes, unit});
            table.spellings[unit].push_back(bytes);
        }
    }
    return table;
}
