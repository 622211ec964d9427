// The label rule of the clip menus: the first 20 bytes of the clip, tabs shown as ".".
#pragma once
#include <cstddef>

constexpr size_t menu_label_bytes = 20;
constexpr size_t menu_label_size = menu_label_bytes + 1;

// Cut by bytes, as the menus have always shown them, so a double-byte character at the
// cut may be split.
void make_menu_label(const char* text, char (&label)[menu_label_size]);
