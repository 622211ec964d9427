// The way out: a clip back on the clipboard, between the affix texts in force.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr int compose_size = 61440;  // three clip-sized texts and the terminator

// Puts start + clip_text + end on the clipboard; owner opens the clipboard and owns it
// afterwards.
void put_clip(HWND owner, const char* start, const char* end);
// Puts text on the clipboard as it is.
void put_text_on_clipboard(HWND owner, const char* text, size_t length);
// When a clipboard block (size bytes, ending at its first zero byte or at its end) is the
// last output of put_clip, the clip that output wrapped in its affixes; else nullptr.
const char* clip_wrapped_by(const char* block, size_t size);
