#include "app/ui_text.h"

#include <cstring>
#include <utility>
#include <vector>

#include "text/sjis.h"
#include "text/wide_text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::wstring wide_from_sjis(std::string_view sjis) {
  const std::u16string units = utf16_from_sjis(sjis);
  return std::wstring(reinterpret_cast<const wchar_t*>(units.data()), units.size());
}

std::string sjis_from_wide(std::wstring_view text, std::size_t* unmappable) {
  sjis_text out = sjis_from_utf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
  if (unmappable) *unmappable = out.unmappable;
  return std::move(out.bytes);
}

std::string window_text_sjis(HWND window, std::size_t* unmappable) {
  std::vector<wchar_t> units(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
  const int length = GetWindowTextW(window, units.data(), static_cast<int>(units.size()));
  return sjis_from_wide(std::wstring_view(units.data(), length > 0 ? static_cast<std::size_t>(length) : 0),
                        unmappable);
}

void set_window_text_sjis(HWND window, std::string_view sjis) {
  SetWindowTextW(window, wide_from_sjis(sjis).c_str());
}

std::size_t read_window_text(HWND window, char* field, std::size_t size, std::size_t* unmappable) {
  if (size == 0) return 0;
  const std::string text = window_text_sjis(window, unmappable);
  const std::size_t length = sjis_whole_prefix(text.c_str(), size - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
  return length;
}
