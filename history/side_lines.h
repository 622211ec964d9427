// The lines of the side file kept beside the Shift_JIS records: each names a record by
// the SHA-256 of its bytes, says what it holds and holds it. Originals are stored as UTF-8
// with line breaks, tabs, backslashes, other control characters and unpaired surrogates
// escaped, so every line is one line of valid UTF-8 and every text comes back unit for unit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/sha256.h"

// A capture time as the local clock showed it.
struct clip_time {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
bool operator==(const clip_time& a, const clip_time& b);

// Seconds since 2000-01-01 00:00:00, 1 and up; 0 for a time outside 2000 to 2135 or not
// on the calendar.
std::uint32_t pack_time(const clip_time& time);
clip_time unpack_time(std::uint32_t packed);

enum class side_kind { original, time };

// One line of the side file (without its line end), as the line format writes it.
std::string original_line(const sha256_digest& key, const char16_t* original, std::size_t units);
std::string time_line(const sha256_digest& key, const clip_time& time);

struct side_line {
  sha256_digest key;
  side_kind kind;
  const char* value;  // inside the parsed line
  std::size_t value_length;
};
// False for anything that is not a whole line of the format (a hand edit, a line cut short).
bool parse_side_line(const char* line, std::size_t length, side_line& parsed);
// The packed time of a time value; 0 when it is no time.
std::uint32_t parse_time_value(const char* value, std::size_t length);
// The original of an original value, appended to out; false when the value is malformed.
bool unescape_original(const char* value, std::size_t length, std::u16string& out);
