#include "text/menu_label.h"

#include "text/sjis.h"
#include "text/unicode_text.h"

size_t make_display_text(const char* text, size_t max_bytes, char tab_shows_as, char* out) {
  size_t i = 0;
  while (text[i] != '\0') {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    // Trail bytes are never below 0x40 nor 0x7F, so only single bytes are replaced.
    if (sjis_char_length(text + i) == 2) {
      if (i + 2 > max_bytes) break;
      out[i] = text[i];
      out[i + 1] = text[i + 1];
      i += 2;
      continue;
    }
    if (i + 1 > max_bytes) break;
    out[i] = c == '\t' ? tab_shows_as : c < 0x20 || c == 0x7F ? ' ' : text[i];
    ++i;
  }
  out[i] = '\0';
  return i;
}

void make_menu_label(const char* text, char (&label)[menu_label_size]) {
  make_display_text(text, menu_label_bytes, '.', label);
}

std::u16string make_display_text(const std::u16string& original, size_t max_bytes, char16_t tab_shows_as) {
  std::u16string shown;
  size_t bytes = 0;
  for (size_t i = 0; i < original.size();) {
    const char16_t unit = original[i];
    const size_t units = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < original.size() &&
                                 original[i + 1] >= 0xDC00 && original[i + 1] <= 0xDFFF
                             ? 2
                             : 1;
    char field[3];
    const size_t width = utf16_to_sjis(&original[i], units, field, sizeof field).length;
    if (width == 0 || bytes + width > max_bytes) break;
    bytes += width;
    if (unit == u'\t') {
      shown += tab_shows_as;
    } else if (unit < 0x20 || unit == 0x7F) {
      shown += u' ';
    } else {
      shown.append(original, i, units);
    }
    i += units;
  }
  return shown;
}
