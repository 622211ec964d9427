// Record files of the kinds users and accidents make: empty records, inner stop bytes,
// zero bytes, line breaks of every sort, records past the reader's 20479 bytes, a
// trailing Ctrl+Z, a last record without its separator.
#pragma once
#include <random>
#include <string>

inline std::string random_text(std::mt19937& random, bool long_ones) {
  const int kind = static_cast<int>(random() % 10);
  if (kind == 0) return "";
  size_t length = random() % 40;
  if (long_ones && kind == 1) length = 20470 + random() % 30;
  static const char pieces[] = {'a', 'b', '\a', '\n', '\r', '\0', '\x1a', '\x82', '\xa0', 'z'};
  std::string text;
  for (size_t i = 0; i < length; ++i) text += pieces[random() % sizeof pieces];
  return text;
}

// Stored bytes of a file written record by record with separator, then disturbed.
inline std::string random_record_file(std::mt19937& random, const std::string& separator, bool long_ones) {
  std::string stored;
  const int records = static_cast<int>(random() % 30);
  for (int r = 0; r < records; ++r) {
    for (char c : random_text(random, long_ones) + separator) {
      if (c == '\n') stored += '\r';
      stored += c;
    }
  }
  switch (random() % 4) {
    case 0: stored += "tail without separator"; break;
    case 1: stored += '\x1a'; break;
    default: break;
  }
  return stored;
}
