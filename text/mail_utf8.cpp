#include "text/mail_utf8.h"

#include "text/encodings.h"
#include "text/jis_bytes.h"
#include "text/unicode_text.h"

namespace {

// UTF-8 never takes fewer bytes than UTF-16 takes units, so any text that fits
// conversion_output fits here.
char16_t units[conversion_size];

int hex_value(unsigned char byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
    return -1;
}

}  // namespace

bool is_utf8(const char* text, std::size_t length) {
    return utf8_to_utf16(text, length, units, conversion_size) != not_utf8;
}

std::size_t append_utf8_as_shift_jis(const char* text, std::size_t length, std::size_t o) {
    const std::size_t count = utf8_to_utf16(text, length, units, conversion_size);
    if (count == not_utf8) return not_utf8;
    if (o >= conversion_size) return o;
    return o + utf16_to_sjis(units, count, conversion_output + o, conversion_size - o).length;
}

void decode_q_payload(const char* payload, std::size_t length, char* out) {
    std::size_t o = 0;
    for (std::size_t k = 0; k < length; ++k) {
        const unsigned char c = byte_at(payload, k);
        const int high = c == '=' && k + 2 < length ? hex_value(byte_at(payload, k + 1)) : -1;
        const int low = high >= 0 ? hex_value(byte_at(payload, k + 2)) : -1;
        if (low >= 0) {
            out[o++] = static_cast<char>(high * 16 + low);
            k += 2;
        } else {
            out[o++] = c == '_' ? ' ' : static_cast<char>(c);
        }
    }
    out[o] = '\0';
}
