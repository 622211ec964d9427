#include "app/sjis_cut.h"

#include "text/encodings.h"

size_t sjis_whole_prefix(const char* text, size_t max_bytes) {
  size_t i = 0;
  while (i < max_bytes && text[i] != '\0') {
    size_t width = is_sjis_lead(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
    if (i + width > max_bytes) break;
    i += width;
  }
  return i;
}
