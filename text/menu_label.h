// How clips are shown on one line: the clip-menu labels (the first 20 bytes, tabs shown
// as "."), the window title and the tray tip. The stored texts are never changed.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t menu_label_bytes = 20;
constexpr size_t menu_label_size = menu_label_bytes + 1;

// Copies at most max_bytes of text into out (max_bytes + 1 bytes, terminator included):
// whole characters only, every control character shown as a space except a tab, shown as
// tab_shows_as. Returns the bytes copied.
size_t make_display_text(const char* text, size_t max_bytes, char tab_shows_as, char* out);
void make_menu_label(const char* text, char (&label)[menu_label_size]);
// The same display made from a clip's original (UTF-16): the characters the display of
// its Shift_JIS record would hold, each as wide as it is there ('?' one byte).
std::u16string make_display_text(const std::u16string& original, size_t max_bytes, char16_t tab_shows_as);
