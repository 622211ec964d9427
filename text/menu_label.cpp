#include "text/menu_label.h"

#include "text/sjis.h"

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
