#include "text/sjis.h"

#include <cstring>

bool is_sjis_lead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool is_sjis_trail(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

std::size_t sjis_char_length(const char* text) {
  const unsigned char first = static_cast<unsigned char>(text[0]);
  if (first == 0) return 0;
  return is_sjis_lead(first) && is_sjis_trail(static_cast<unsigned char>(text[1])) ? 2 : 1;
}

std::size_t sjis_whole_prefix(const char* text, std::size_t max_bytes) {
  std::size_t i = 0;
  while (i < max_bytes && text[i] != '\0') {
    const std::size_t width = sjis_char_length(text + i);
    if (i + width > max_bytes) break;
    i += width;
  }
  return i;
}

const char* sjis_find(const char* text, const char* wanted) {
  // Byte matches are found fast; the boundary walk only ever moves forward.
  const char* boundary = text;
  for (const char* found = std::strstr(text, wanted); found != nullptr; found = std::strstr(found + 1, wanted)) {
    while (boundary < found) boundary += sjis_char_length(boundary);
    if (boundary == found) return found;
  }
  return nullptr;
}
