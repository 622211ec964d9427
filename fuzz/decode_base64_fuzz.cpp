#include "fuzz/conversion_fuzz.h"

#include <string>

namespace {
bool is_blank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_conversion(decode_base64, data, size);
    // A body decodes the same whatever line breaks and blanks lie in it. Taking the
    // blanks out can join "=" and "?" into an encoded word's start, so such texts,
    // which read as header text, are left out.
    std::string packed;
    for (std::size_t k = 0; k < size && data[k] != 0; ++k)
        if (!is_blank(static_cast<char>(data[k]))) packed += static_cast<char>(data[k]);
    if (packed.find("=?") != std::string::npos) return 0;
    const std::string decoded = conversion_output;
    decode_base64(packed.c_str());
    if (decoded != conversion_output) std::abort();
    return 0;
}
