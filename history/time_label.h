// When a clip was copied, as a row of a list says it beside the time now: the date and
// time for today ("12/08 14:05"), "昨日" for the day before, the date for any other day
// ("2025/11/30").
#pragma once
#include <cstddef>

#include "history/side_lines.h"

// Writes the label into out (size bytes, at least 1); empty for a time off the calendar.
void write_time_label(const clip_time& when, const clip_time& now, char* out, std::size_t size);
