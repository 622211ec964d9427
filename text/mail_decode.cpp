// "メール": a Base64 mail body, or header text with encoded words, to Shift_JIS text.
#include <cstring>
#include <initializer_list>

#include "text/encodings.h"
#include "text/jis_bytes.h"
#include "text/mail_utf8.h"

namespace {

int base64_value(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') return byte - 'A';
    if (byte >= 'a' && byte <= 'z') return byte - 'a' + 26;
    if (byte >= '0' && byte <= '9') return byte - '0' + 52;
    if (byte == '+') return 62;
    if (byte == '/') return 63;
    return -1;
}

bool is_blank(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool holds_jis_escape(const char* text) {
    for (const char* at = std::strchr(text, jis_escape); at != nullptr;
         at = std::strchr(at + 1, jis_escape))
        if (opens_kanji(at, 0)) return true;
    return false;
}

enum class word_charset { jis, shift_jis, utf8, other };

// An encoded word "=?charset?B?text?=" (or ?Q?) as it lies in the text.
struct encoded_word {
    std::size_t end;  // position after its "?="
    word_charset charset;
    bool base64;
    std::size_t payload;  // position of its encoded text
    std::size_t payload_length;
};

bool is_token_byte(unsigned char byte) {
    return byte > 0x20 && byte < 0x7F && byte != '?';
}

bool same_name(const char* name, std::size_t length, const char* known) {
    if (std::strlen(known) != length) return false;
    for (std::size_t k = 0; k < length; ++k) {
        unsigned char c = byte_at(name, k);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c != byte_at(known, k)) return false;
    }
    return true;
}

word_charset charset_of(const char* name, std::size_t length) {
    // A language tag after "*" says nothing about the bytes.
    const void* star = std::memchr(name, '*', length);
    if (star != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(star) - name);
    if (same_name(name, length, "iso-2022-jp")) return word_charset::jis;
    if (same_name(name, length, "utf-8")) return word_charset::utf8;
    for (const char* known : {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "windows-31j", "us-ascii"})
        if (same_name(name, length, known)) return word_charset::shift_jis;
    return word_charset::other;
}

// The charset the text names in a "charset=" of its own, quoted or not; other when none.
word_charset declared_charset(const char* text) {
    for (std::size_t i = 0; byte_at(text, i) != 0; ++i) {
        if (!same_name(text + i, 8, "charset=")) continue;
        std::size_t from = i + 8;
        if (byte_at(text, from) == '"' || byte_at(text, from) == '\'') ++from;
        std::size_t to = from;
        while (is_token_byte(byte_at(text, to)) && std::strchr("\"';>/", byte_at(text, to)) == nullptr) ++to;
        return charset_of(text + from, to - from);
    }
    return word_charset::other;
}

// The body: groups of four Base64 positions, each byte outside the alphabet worth 0 and
// the pad character giving zero bytes that end the shown text. Line breaks and blanks
// take no position, so a body wrapped at 76 columns decodes whole. A body in
// ISO-2022-JP comes out as Shift_JIS, and so does one that is valid UTF-8: Japanese
// UTF-8 often pairs up as Shift_JIS too, while Shift_JIS is seldom valid UTF-8. A charset
// the body names itself (an HTML part's meta tag) decides instead.
void decode_body(const char* text) {
    std::size_t i = 0;
    std::size_t o = 0;
    while (conversion_fits(o, 3)) {
        while (is_blank(byte_at(text, i))) ++i;
        if (byte_at(text, i) == 0) break;
        unsigned int value[4] = {0, 0, 0, 0};
        for (unsigned int& v : value) {
            while (is_blank(byte_at(text, i))) ++i;
            if (byte_at(text, i) == 0) break;
            const int decoded = base64_value(byte_at(text, i++));
            v = decoded < 0 ? 0 : static_cast<unsigned int>(decoded);
        }
        conversion_output[o++] = static_cast<char>((value[0] * 4 + value[1] / 16) & 0xFF);
        conversion_output[o++] = static_cast<char>(((value[1] % 16) * 16 + value[2] / 4) & 0xFF);
        conversion_output[o++] = static_cast<char>(((value[2] % 4) * 64 + value[3]) & 0xFF);
    }
    conversion_output[o] = '\0';
    if (!holds_jis_escape(conversion_output)) {
        if (declared_charset(conversion_output) == word_charset::shift_jis) return;
        const std::size_t end = append_utf8_as_shift_jis(conversion_output, std::strlen(conversion_output), 0);
        if (end != not_utf8) conversion_output[end] = '\0';
        return;
    }
    static char jis_text[conversion_size];
    std::memcpy(jis_text, conversion_output, std::strlen(conversion_output) + 1);
    to_shift_jis(jis_text);
}

bool parse_encoded_word(const char* text, std::size_t i, encoded_word& word) {
    if (byte_at(text, i) != '=' || byte_at(text, i + 1) != '?') return false;
    const std::size_t charset = i + 2;
    std::size_t k = charset;
    while (is_token_byte(byte_at(text, k))) ++k;
    if (k == charset || byte_at(text, k) != '?') return false;
    const unsigned char encoding = byte_at(text, k + 1);
    if (std::strchr("BbQq", encoding) == nullptr || encoding == 0 || byte_at(text, k + 2) != '?')
        return false;
    word.charset = charset_of(text + charset, k - charset);
    word.base64 = encoding == 'B' || encoding == 'b';
    word.payload = k + 3;
    k = word.payload;
    while (is_token_byte(byte_at(text, k))) ++k;
    if (byte_at(text, k) != '?' || byte_at(text, k + 1) != '=') return false;
    word.payload_length = k - word.payload;
    word.end = k + 2;
    return true;
}

bool is_decodable(const encoded_word& word) {
    return (word.base64 && word.charset != word_charset::other) || word.charset == word_charset::utf8;
}

bool holds_encoded_word(const char* text) {
    encoded_word word{};
    for (const char* at = std::strstr(text, "=?"); at != nullptr; at = std::strstr(at + 1, "=?"))
        if (parse_encoded_word(text, static_cast<std::size_t>(at - text), word)) return true;
    return false;
}

// Standard Base64 of one encoded word: pad characters end nothing, they are skipped.
// out holds at least 3/4 of length + 1 bytes and is terminated.
void decode_word_payload(const char* payload, std::size_t length, char* out) {
    std::size_t o = 0;
    unsigned int bits = 0;
    int bit_count = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const int value = base64_value(byte_at(payload, k));
        if (value < 0) continue;
        bits = (bits << 6 | static_cast<unsigned int>(value)) & 0xFFFFFF;
        bit_count += 6;
        if (bit_count >= 8) {
            bit_count -= 8;
            out[o++] = static_cast<char>((bits >> bit_count) & 0xFF);
        }
    }
    out[o] = '\0';
}

// Copies text[from, to) as it is; a Shift_JIS pair moves whole or not at all.
std::size_t copy_as_is(const char* text, std::size_t from, std::size_t to, std::size_t o) {
    std::size_t i = from;
    while (i < to) {
        const std::size_t count =
            is_sjis_lead(byte_at(text, i)) && i + 1 < to && is_sjis_trail(byte_at(text, i + 1)) ? 2 : 1;
        if (!conversion_fits(o, count)) return o;
        for (std::size_t k = 0; k < count; ++k) conversion_output[o++] = text[i + k];
        i += count;
    }
    return o;
}

char word_bytes[conversion_size];

// Decodes a word into word_bytes, where a zero byte ends what it shows. A word said to be
// UTF-8 that is not cannot be decoded.
bool decode_word(const char* text, const encoded_word& word) {
    if (word.base64)
        decode_word_payload(text + word.payload, word.payload_length, word_bytes);
    else
        decode_q_payload(text + word.payload, word.payload_length, word_bytes);
    return word.charset != word_charset::utf8 || is_utf8(word_bytes, std::strlen(word_bytes));
}

std::size_t append_word(const encoded_word& word, std::size_t o) {
    if (word.charset == word_charset::jis) return append_shift_jis(word_bytes, o);
    if (word.charset == word_charset::utf8)
        return append_utf8_as_shift_jis(word_bytes, std::strlen(word_bytes), o);
    return copy_as_is(word_bytes, 0, std::strlen(word_bytes), o);
}

// Header text: each encoded word is decoded in place, the text around it is kept as it
// is, and blanks and line breaks between two decoded words are dropped, so a header
// split into several words reads as one.
void decode_header(const char* text) {
    std::size_t i = 0;
    std::size_t o = 0;
    std::size_t plain_from = 0;
    bool after_decoded_word = false;
    while (byte_at(text, i) != 0) {
        encoded_word word{};
        if (byte_at(text, i) != '=' || !parse_encoded_word(text, i, word) || !is_decodable(word) ||
            !decode_word(text, word)) {
            if (!is_blank(byte_at(text, i))) after_decoded_word = false;
            ++i;
            continue;
        }
        if (!after_decoded_word) o = copy_as_is(text, plain_from, i, o);
        o = append_word(word, o);
        i = word.end;
        plain_from = i;
        after_decoded_word = true;
    }
    o = copy_as_is(text, plain_from, i, o);
    conversion_output[o] = '\0';
}

}  // namespace

void decode_base64(const char* text) {
    if (holds_encoded_word(text))
        decode_header(text);
    else
        decode_body(text);
}
