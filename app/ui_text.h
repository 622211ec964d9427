// The one crossing between the program's Shift_JIS and the UTF-16 of windows, menus,
// dialogs and the tray: code page 932 whatever the system's code page, so the same
// Japanese shows on every desktop and typed text arrives as its Shift_JIS bytes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

std::wstring wide_from_sjis(std::string_view sjis);

// A character Shift_JIS lacks becomes '?', and *unmappable (when given) counts them.
std::string sjis_from_wide(std::wstring_view text, std::size_t* unmappable = nullptr);

// A window's text (an edit's contents, a title) read and set as Shift_JIS.
std::string window_text_sjis(HWND window, std::size_t* unmappable = nullptr);
void set_window_text_sjis(HWND window, std::string_view sjis);

// The same into a fixed field of size bytes, cut on a whole character and terminated;
// returns the bytes written.
std::size_t read_window_text(HWND window, char* field, std::size_t size, std::size_t* unmappable = nullptr);
template <std::size_t size>
std::size_t read_window_text(HWND window, char (&field)[size], std::size_t* unmappable = nullptr) {
  return read_window_text(window, field, size, unmappable);
}
