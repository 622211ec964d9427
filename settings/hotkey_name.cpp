#include "settings/hotkey_name.h"

#include <cstdio>
#include <cstring>

namespace {

struct named_key {
  const char* name;
  unsigned code;
};

// Keys other than letters, digits and F1-F24 that a shortcut may use.
constexpr named_key named_keys[] = {
    {"Space", 0x20},    {"Tab", 0x09},      {"Enter", 0x0D},   {"Backspace", 0x08}, {"Pause", 0x13},
    {"Insert", 0x2D},   {"Delete", 0x2E},   {"Home", 0x24},    {"End", 0x23},       {"PageUp", 0x21},
    {"PageDown", 0x22}, {"Left", 0x25},     {"Up", 0x26},      {"Right", 0x27},     {"Down", 0x28},
};

constexpr named_key modifier_names[] = {
    {"Ctrl", hotkey_control}, {"Alt", hotkey_alt}, {"Shift", hotkey_shift}, {"Win", hotkey_win}};

constexpr unsigned first_function_key = 0x70;  // F1
constexpr int function_key_count = 24;

bool same_name(const char* name, const char* part, size_t length) {
  if (std::strlen(name) != length) return false;
  for (size_t i = 0; i < length; ++i) {
    const char a = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 32) : name[i];
    const char b = part[i] >= 'a' && part[i] <= 'z' ? static_cast<char>(part[i] - 32) : part[i];
    if (a != b) return false;
  }
  return true;
}

unsigned key_code(const char* part, size_t length) {
  if (length == 1) {
    const char c = part[0] >= 'a' && part[0] <= 'z' ? static_cast<char>(part[0] - 32) : part[0];
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned char>(c);
  }
  if (length >= 2 && length <= 3 && (part[0] == 'F' || part[0] == 'f')) {
    int number = 0;
    for (size_t i = 1; i < length; ++i) {
      if (part[i] < '0' || part[i] > '9') return 0;
      number = number * 10 + (part[i] - '0');
    }
    if (part[1] != '0' && number >= 1 && number <= function_key_count)
      return first_function_key + static_cast<unsigned>(number - 1);
    return 0;
  }
  for (const named_key& k : named_keys)
    if (same_name(k.name, part, length)) return k.code;
  return 0;
}

unsigned modifier_flag(const char* part, size_t length) {
  for (const named_key& m : modifier_names)
    if (same_name(m.name, part, length)) return m.code;
  return 0;
}

}  // namespace

bool parse_hotkey_name(const char* text, hotkey& out) {
  hotkey found{0, 0};
  const char* part = text;
  for (;;) {
    while (*part == ' ') ++part;
    const char* end = part;
    while (*end != '\0' && *end != '+') ++end;
    size_t length = static_cast<size_t>(end - part);
    while (length > 0 && part[length - 1] == ' ') --length;
    // The key comes last; anything after it, or a second key, is refused.
    if (found.key != 0 || length == 0) return false;
    const unsigned flag = modifier_flag(part, length);
    if (flag != 0) {
      if ((found.modifiers & flag) != 0) return false;
      found.modifiers |= flag;
    } else {
      found.key = key_code(part, length);
      if (found.key == 0) return false;
    }
    if (*end == '\0') break;
    part = end + 1;
  }
  if (found.key == 0 || found.modifiers == 0) return false;
  out = found;
  return true;
}

bool format_hotkey_name(const hotkey& key, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  char key_part[16] = "";
  if ((key.key >= 'A' && key.key <= 'Z') || (key.key >= '0' && key.key <= '9')) {
    std::snprintf(key_part, sizeof key_part, "%c", static_cast<char>(key.key));
  } else if (key.key >= first_function_key && key.key < first_function_key + function_key_count) {
    std::snprintf(key_part, sizeof key_part, "F%u", key.key - first_function_key + 1);
  } else {
    for (const named_key& k : named_keys)
      if (k.code == key.key) std::snprintf(key_part, sizeof key_part, "%s", k.name);
  }
  const unsigned known = hotkey_control | hotkey_alt | hotkey_shift | hotkey_win;
  if (key_part[0] == '\0' || key.modifiers == 0 || (key.modifiers & ~known) != 0) return false;
  size_t used = 0;
  for (const named_key& m : modifier_names) {
    if ((key.modifiers & m.code) == 0) continue;
    const int written = std::snprintf(out + used, size - used, "%s+", m.name);
    if (written < 0 || static_cast<size_t>(written) >= size - used) return out[0] = '\0', false;
    used += static_cast<size_t>(written);
  }
  const int written = std::snprintf(out + used, size - used, "%s", key_part);
  if (written < 0 || static_cast<size_t>(written) >= size - used) return out[0] = '\0', false;
  return true;
}
