#include "settings/ignored_programs.h"

#include <cstring>

#include "text/sjis.h"

char ignored_programs[ignore_list_size] = "";

namespace {
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The name after the last separator; a trail byte that looks like '\' is no separator.
const char* file_name_of(const char* path, const char* end) {
  const char* name = path;
  for (const char* c = path; c < end && *c != '\0';) {
    const std::size_t length = sjis_char_length(c);
    if (length == 1 && (*c == '\\' || *c == '/')) name = c + 1;
    c += length == 0 ? 1 : length;
  }
  return name;
}

bool same_name(const char* a, std::size_t a_length, const char* b, std::size_t b_length) {
  if (a_length != b_length) return false;
  for (std::size_t i = 0; i < a_length;) {
    const std::size_t length = sjis_char_length(a + i);
    if (length == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
      continue;
    }
    if (folded(a[i]) != folded(b[i])) return false;
    ++i;
  }
  return true;
}
}  // namespace

bool program_is_ignored(const char* list, const char* image_path) {
  const char* wanted = file_name_of(image_path, image_path + std::strlen(image_path));
  const std::size_t wanted_length = std::strlen(wanted);
  if (wanted_length == 0) return false;
  const char* entry = list;
  while (*entry != '\0') {
    const char* end = entry;
    while (*end != '\0' && *end != ';') end += sjis_char_length(end) == 2 ? 2 : 1;
    const char* first = entry;
    while (first < end && is_blank(*first)) ++first;
    const char* last = end;
    while (last > first && is_blank(last[-1])) --last;
    const char* name = file_name_of(first, last);
    if (same_name(name, static_cast<std::size_t>(last - name), wanted, wanted_length)) return true;
    entry = *end == ';' ? end + 1 : end;
  }
  return false;
}
