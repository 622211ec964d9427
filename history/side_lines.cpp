#include "history/side_lines.h"

#include <cstdio>
#include <cstring>

#include "text/unicode_text.h"

namespace {

constexpr char original_word[] = "original";
constexpr char time_word[] = "time";
constexpr std::size_t key_digits = 64;

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
std::int64_t days_from_civil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void civil_from_days(std::int64_t days, clip_time& time) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  time.day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  time.month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  time.year = static_cast<int>(year_of_era + era * 400 + (time.month <= 2));
}

const std::int64_t first_day = days_from_civil(2000, 1, 1);

// By table: a key's digits are random, and a branch on each of them costs most of a load.
struct hex_table {
  signed char values[256];
  constexpr hex_table() : values() {
    for (int c = 0; c < 256; ++c)
      values[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                  : -1);
  }
};
constexpr hex_table hex_digits;

int hex_value(char c) { return hex_digits.values[static_cast<unsigned char>(c)]; }

void append_key(std::string& line, const sha256_digest& key) {
  static const char digits[] = "0123456789abcdef";
  for (unsigned char byte : key) {
    line += digits[byte >> 4];
    line += digits[byte & 0x0F];
  }
}

void append_utf8(std::string& out, std::uint32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | code_point >> 6);
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | code_point >> 12);
    out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code_point >> 18);
    out += static_cast<char>(0x80 | (code_point >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

void append_escaped(std::string& out, char16_t unit) {
  switch (unit) {
    case u'\\': out += "\\\\"; return;
    case u'\n': out += "\\n"; return;
    case u'\r': out += "\\r"; return;
    case u'\t': out += "\\t"; return;
    default: break;
  }
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
  out += escape;
}

bool is_high_surrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool words_equal(const char* text, std::size_t length, const char* word) {
  return length == std::strlen(word) && std::memcmp(text, word, length) == 0;
}

// Plain UTF-8 without control characters, as the escaping leaves it.
bool append_plain(const char* text, std::size_t length, std::u16string& out) {
  for (std::size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F) return false;
  const std::size_t before = out.size();
  out.resize(before + length);
  const std::size_t units = utf8_to_utf16(text, length, &out[before], length);
  if (units == not_utf8) return false;
  out.resize(before + units);
  return true;
}

// Reads the escape at text (just after its backslash) into unit; returns the bytes it
// takes, 0 when it is no escape.
std::size_t read_escape(const char* text, std::size_t left, char16_t& unit) {
  if (left == 0) return 0;
  switch (text[0]) {
    case '\\': unit = u'\\'; return 1;
    case 'n': unit = u'\n'; return 1;
    case 'r': unit = u'\r'; return 1;
    case 't': unit = u'\t'; return 1;
    case 'u': break;
    default: return 0;
  }
  if (left < 5) return 0;
  unsigned value = 0;
  for (std::size_t i = 1; i < 5; ++i) {
    const int digit = hex_value(text[i]);
    if (digit < 0) return 0;
    value = value << 4 | static_cast<unsigned>(digit);
  }
  unit = static_cast<char16_t>(value);
  return 5;
}

}  // namespace

bool operator==(const clip_time& a, const clip_time& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

std::uint32_t pack_time(const clip_time& time) {
  if (time.year < 2000 || time.year > 2135 || time.month < 1 || time.month > 12 || time.day < 1 ||
      time.day > 31 || time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 ||
      time.second < 0 || time.second > 59)
    return 0;
  const std::int64_t seconds = (days_from_civil(time.year, time.month, time.day) - first_day) * 86400 +
                               time.hour * 3600 + time.minute * 60 + time.second + 1;
  // The 31st of a short month lands on another day; unpacking tells it.
  if (seconds > 0xFFFFFFFFLL || !(unpack_time(static_cast<std::uint32_t>(seconds)) == time)) return 0;
  return static_cast<std::uint32_t>(seconds);
}

clip_time unpack_time(std::uint32_t packed) {
  clip_time time;
  if (packed == 0) return time;
  const std::int64_t seconds = packed - 1;
  civil_from_days(first_day + seconds / 86400, time);
  time.hour = static_cast<int>(seconds % 86400 / 3600);
  time.minute = static_cast<int>(seconds % 3600 / 60);
  time.second = static_cast<int>(seconds % 60);
  return time;
}

std::string original_line(const sha256_digest& key, const char16_t* original, std::size_t units) {
  std::string line;
  line.reserve(key_digits + 16 + units * 3);
  append_key(line, key);
  line += '\t';
  line += original_word;
  line += '\t';
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = original[i];
    if (is_high_surrogate(unit) && i + 1 < units && is_low_surrogate(original[i + 1])) {
      append_utf8(line, 0x10000 + ((unit - 0xD800u) << 10) + (original[i + 1] - 0xDC00u));
      ++i;
    } else if (unit < 0x20 || unit == 0x7F || unit == u'\\' || (unit >= 0xD800 && unit <= 0xDFFF)) {
      append_escaped(line, unit);
    } else {
      append_utf8(line, unit);
    }
  }
  return line;
}

std::string time_line(const sha256_digest& key, const clip_time& time) {
  std::string line;
  append_key(line, key);
  char value[48];
  std::snprintf(value, sizeof value, "\t%s\t%04d-%02d-%02d %02d:%02d:%02d", time_word, time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  line += value;
  return line;
}

bool parse_side_line(const char* line, std::size_t length, side_line& parsed) {
  if (length < key_digits + 2 || line[key_digits] != '\t') return false;
  int invalid = 0;
  for (std::size_t i = 0; i < key_digits; i += 2) {
    const int high = hex_value(line[i]);
    const int low = hex_value(line[i + 1]);
    invalid |= high | low;
    parsed.key[i / 2] = static_cast<unsigned char>(high << 4 | low);
  }
  if (invalid < 0) return false;
  const char* kind = line + key_digits + 1;
  const char* tab = static_cast<const char*>(std::memchr(kind, '\t', length - key_digits - 1));
  if (tab == nullptr) return false;
  const std::size_t kind_length = static_cast<std::size_t>(tab - kind);
  if (words_equal(kind, kind_length, original_word))
    parsed.kind = side_kind::original;
  else if (words_equal(kind, kind_length, time_word))
    parsed.kind = side_kind::time;
  else
    return false;
  parsed.value = tab + 1;
  parsed.value_length = length - static_cast<std::size_t>(parsed.value - line);
  return true;
}

std::uint32_t parse_time_value(const char* value, std::size_t length) {
  static const char shape[] = "dddd-dd-dd dd:dd:dd";
  if (length != sizeof shape - 1) return 0;
  int fields[6] = {};
  int field = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (shape[i] != 'd') {
      if (value[i] != shape[i]) return 0;
      ++field;
      continue;
    }
    if (value[i] < '0' || value[i] > '9') return 0;
    fields[field] = fields[field] * 10 + (value[i] - '0');
  }
  return pack_time(clip_time{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
}

bool unescape_original(const char* value, std::size_t length, std::u16string& out) {
  std::size_t plain_from = 0;
  std::size_t i = 0;
  while (i < length) {
    if (value[i] != '\\') {
      ++i;
      continue;
    }
    if (!append_plain(value + plain_from, i - plain_from, out)) return false;
    char16_t unit = 0;
    const std::size_t used = read_escape(value + i + 1, length - i - 1, unit);
    if (used == 0) return false;
    out += unit;
    i += 1 + used;
    plain_from = i;
  }
  return append_plain(value + plain_from, length - plain_from, out);
}
