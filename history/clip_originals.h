// The text as the copying program put it, beside the Shift_JIS clip made from it: held
// from the reading of the clipboard until the clip is known to be new, and composed with
// the affixes when the clip is put back.
#pragma once
#include <cstddef>
#include <string>

#include "history/side_lines.h"

// The Unicode text (count units) that became sjis (length bytes); held only when sjis,
// read back as Unicode, is not that text.
void hold_original(const char16_t* units, std::size_t count, const char* sjis, std::size_t length);
void forget_held_original();
// Keeps, for a new clip, the original held for it at once, with its capture time; a time
// alone waits with write_waiting_times (history/clip_side_file.h).
void keep_side_of_new_clip(const char* clip, const clip_time& now);
// start + the original of clip + end as UTF-16, the affixes as Shift_JIS reads them; false
// when clip has no original.
bool compose_with_original(const char* start, const char* clip, const char* end, std::u16string& out);
