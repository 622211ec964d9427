#include "app/sjis_cut.h"

bool is_sjis_lead_byte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

size_t sjis_whole_prefix(const char* text, size_t max_bytes) {
  size_t i = 0;
  while (i < max_bytes && text[i] != '\0') {
    size_t width = is_sjis_lead_byte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
    if (i + width > max_bytes) break;
    i += width;
  }
  return i;
}
