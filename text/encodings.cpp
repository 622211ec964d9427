#include "text/encodings.h"

#include <cstring>

#include "text/jis_bytes.h"

char conversion_output[conversion_size];

namespace {

// Content may fill all but the last byte, which is kept for the terminator.
constexpr std::size_t content_limit = conversion_size - 1;
constexpr std::size_t escape_length = 3;
const char open_kanji[] = "\x1b$B";
const char close_kanji[] = "\x1b(B";

void put(std::size_t& o, unsigned int byte) {
    conversion_output[o++] = static_cast<char>(byte & 0xFF);
}

void put_pair(std::size_t& o, unsigned int code) {
    put(o, code >> 8);
    put(o, code);
}

void put_escape(std::size_t& o, const char* sequence) {
    for (std::size_t k = 0; k < escape_length; ++k) put(o, byte_at(sequence, k));
}

bool closes_kanji(const char* text, std::size_t i) {
    return byte_at(text, i) == jis_escape && byte_at(text, i + 1) == '(' &&
           (byte_at(text, i + 2) == 'B' || byte_at(text, i + 2) == 'J');
}

}  // namespace

bool conversion_fits(std::size_t o, std::size_t count) {
    return o <= content_limit && count <= content_limit - o;
}

bool is_jis_byte(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7E;
}

unsigned int jis_to_sjis_pair(unsigned char first, unsigned char second) {
    if (!is_jis_byte(first) || !is_jis_byte(second)) return 0;
    // Two JIS rows share a lead byte: the odd row takes the low trail bytes
    // (stepping over 0x7F), the even row the high ones.
    const unsigned int lead = (first + 1u) / 2 + (first <= 0x5E ? 0x70u : 0xB0u);
    unsigned int trail;
    if (first % 2 == 1)
        trail = second + (second < 0x60 ? 0x1Fu : 0x20u);
    else
        trail = second + 0x7Eu;
    return lead << 8 | trail;
}

unsigned int sjis_to_jis_pair(unsigned char first, unsigned char second) {
    if (!is_sjis_lead(first) || !is_sjis_trail(second)) return 0;
    const unsigned int row_pair = first - (first <= 0x9F ? 0x70u : 0xB0u);
    unsigned int row;
    unsigned int cell;
    if (second >= 0x9F) {
        row = row_pair * 2;
        cell = second - 0x7Eu;
    } else {
        row = row_pair * 2 - 1;
        cell = second - (second >= 0x80 ? 0x20u : 0x1Fu);
    }
    // Lead bytes 0xF0 and up lie past JIS X 0208.
    if (row > 0x7E) return 0;
    return row << 8 | cell;
}

std::size_t append_shift_jis(const char* text, std::size_t o) {
    bool kanji_mode = false;
    std::size_t i = 0;
    // Every write below is a whole character; one that does not fit ends the result.
    for (;;) {
        const unsigned char c = byte_at(text, i);
        if (c == 0) break;
        if (opens_kanji(text, i)) {
            kanji_mode = true;
            i += escape_length;
            continue;
        }
        if (closes_kanji(text, i)) {
            kanji_mode = false;
            i += escape_length;
            continue;
        }
        const unsigned char next = byte_at(text, i + 1);
        if (kanji_mode && is_jis_byte(c)) {
            if (!conversion_fits(o, 2)) break;
            put_pair(o, jis_to_sjis_pair(c, next));
            // A pair cut by the end maps to zero bytes, which end the result.
            if (next == 0) return o;
            i += 2;
            continue;
        }
        if (c == '\n' && (i == 0 || byte_at(text, i - 1) != '\r')) {
            if (!conversion_fits(o, 2)) break;
            put(o, '\r');
            put(o, '\n');
            i += 1;
            continue;
        }
        // Copied bytes: a CR LF or a Shift_JIS pair moves as one, so a cut
        // never leaves half of it.
        std::size_t count = 1;
        if ((c == '\r' && next == '\n') ||
            (is_sjis_lead(c) && is_sjis_trail(next) && !(kanji_mode && is_jis_byte(next))))
            count = 2;
        if (!conversion_fits(o, count)) break;
        for (std::size_t k = 0; k < count; ++k) put(o, byte_at(text, i + k));
        i += count;
    }
    return o;
}

void to_shift_jis(const char* text) {
    conversion_output[append_shift_jis(text, 0)] = '\0';
}

std::size_t jis_replaced_characters = 0;

namespace {

constexpr unsigned int geta_jis = 0x222E;  // 〓, the mark of a character JIS X 0208 lacks

// Characters of the IBM extensions (both places code page 932 holds them) that JIS X 0208
// or the NEC special row has too, as Shift_JIS codes.
struct same_character {
    unsigned int extension;
    unsigned int kept;
};
const same_character same_characters[] = {
    {0xEEF9, 0x81CA}, {0xFA54, 0x81CA}, {0xFA5B, 0x81E6}, {0xFA58, 0x878A}, {0xFA59, 0x8782},
    {0xFA5A, 0x8784}, {0xFA4A, 0x8754}, {0xFA4B, 0x8755}, {0xFA4C, 0x8756}, {0xFA4D, 0x8757},
    {0xFA4E, 0x8758}, {0xFA4F, 0x8759}, {0xFA50, 0x875A}, {0xFA51, 0x875B}, {0xFA52, 0x875C},
    {0xFA53, 0x875D},
};

// Lead bytes of the NEC-selected IBM extensions, the user-defined area and the IBM
// extensions: none of it is JIS X 0208, so a reader would see other characters.
bool beyond_jis_x0208(unsigned char lead) {
    return lead == 0xED || lead == 0xEE || lead >= 0xF0;
}

// The JIS pair for the Shift_JIS character at text[i], one or two bytes wide; 〓 for a
// character JIS X 0208 lacks and for a lead byte without its trail byte.
unsigned int jis_pair_at(const char* text, std::size_t i, std::size_t& width) {
    const unsigned char lead = byte_at(text, i);
    const unsigned char trail = byte_at(text, i + 1);
    width = 1;
    if (!is_sjis_trail(trail)) return geta_jis;
    width = 2;
    if (!beyond_jis_x0208(lead)) return sjis_to_jis_pair(lead, trail);
    const unsigned int code = static_cast<unsigned int>(lead) << 8 | trail;
    for (const same_character& same : same_characters)
        if (same.extension == code) return sjis_to_jis_pair(same.kept >> 8, same.kept & 0xFF);
    return geta_jis;
}

}  // namespace

void to_iso2022jp(const char* text) {
    bool kanji_mode = false;
    std::size_t i = 0;
    std::size_t o = 0;
    jis_replaced_characters = 0;
    // Every write below is a whole character; one that does not fit ends the
    // result. An open run always keeps room for the ESC ( B that closes it.
    for (;;) {
        const unsigned char c = byte_at(text, i);
        if (c == 0) break;
        if (is_sjis_lead(c)) {
            const std::size_t needed = (kanji_mode ? 0 : escape_length) + 2 + escape_length;
            if (!conversion_fits(o, needed)) break;
            if (!kanji_mode) {
                put_escape(o, open_kanji);
                kanji_mode = true;
            }
            std::size_t width = 0;
            const unsigned int pair = jis_pair_at(text, i, width);
            if (pair == geta_jis) ++jis_replaced_characters;
            put_pair(o, pair);
            i += width;
            if (!is_sjis_lead(byte_at(text, i))) {
                put_escape(o, close_kanji);
                kanji_mode = false;
            }
            continue;
        }
        if (!conversion_fits(o, 1)) break;
        // CR LF and a lone CR both end a line with LF.
        put(o, c == '\r' ? '\n' : c);
        i += c == '\r' && byte_at(text, i + 1) == '\n' ? 2 : 1;
    }
    if (kanji_mode) put_escape(o, close_kanji);
    conversion_output[o] = '\0';
}
