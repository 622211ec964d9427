// What a window shows of a clip: the text as it was copied, where the side file keeps it
// for exactly this record, else the Shift_JIS text.
#pragma once
#include <cstddef>
#include <string>

// One line of at most max_bytes as Shift_JIS would count them, controls as spaces and
// tabs as tab_shows_as (menu labels, the title, the tray tip).
std::wstring clip_display(const char* clip, std::size_t max_bytes, char tab_shows_as);
// The whole clip.
std::wstring clip_whole_text(const char* clip);
