#include <windows.h>

#include "text/cp932.h"

namespace {
constexpr UINT code_page = 932;
}  // namespace

std::size_t cp932_from_code_point(std::uint32_t code_point, char (&out)[2]) {
    // Every character of the code page lies in the Basic Multilingual Plane.
    if (code_point > 0xFFFF) return 0;
    const wchar_t unit = static_cast<wchar_t>(code_point);
    char bytes[4];
    BOOL used_default = FALSE;
    const int written =
        WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes, sizeof bytes, nullptr, &used_default);
    if (written < 1 || written > 2 || used_default) return 0;
    out[0] = bytes[0];
    out[1] = bytes[1];
    return static_cast<std::size_t>(written);
}

std::size_t cp932_to_utf16(const char* bytes, std::size_t length, char16_t* out, std::size_t out_size) {
    if (length == 0 || out_size == 0) return 0;
    const int written = MultiByteToWideChar(code_page, 0, bytes, static_cast<int>(length),
                                            reinterpret_cast<wchar_t*>(out), static_cast<int>(out_size));
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}
