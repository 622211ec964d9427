#include "app/menu_label.h"

void make_menu_label(const char* text, char (&label)[menu_label_size]) {
  size_t i = 0;
  for (; i < menu_label_bytes && text[i] != '\0'; ++i) label[i] = text[i] == '\t' ? '.' : text[i];
  label[i] = '\0';
}
