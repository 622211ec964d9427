#include "settings/settings_values.h"

#include <climits>
#include <cstdio>
#include <cstring>


int backup_number = 0;
int data_max = 500;
int history_menu_max = 10;
int tag_save_limit = 10;
char mode_name[mode_name_size] = "DOVANE";
int history_saving = 0;
int genre_number = 1;
char tag_a[tag_text_size] = "<a href=\"";
char tag_b[tag_text_size] = "\">";
char tag_c[tag_text_size] = "</a>";
char tag_link_file[tag_text_size] = "taglink.txt";
char record_separator[separator_size] = "\a\n";
hotkey shortcut_key = {0, 0};
int paste_on_choice = 0;

const char settings_file_name[] = "dovane_clip.ini";
const char ring_file_name[] = "tmpclipsave.txt";
const char recycle_file_name[] = "_recycle.txt";
const char recycle_index_file_name[] = "_recycle_index.txt";
const char default_history_name[] = "_clip.txt";
const char backup_base_name[] = "_clip_bak.txt";

namespace {
template <size_t n>
void set_text(char (&field)[n], const char* text) {
  std::snprintf(field, n, "%s", text);
}
}  // namespace

void set_defaults() {
  data_max = 500;
  set_text(mode_name, "DOVANE");
  set_text(record_separator, "\a\n");
  backup_number = 0;
}

bool parse_setting_number(const char* text, int& value) {
  const char* c = text;
  while (*c == ' ' || *c == '\t') ++c;
  const bool negative = *c == '-';
  if (*c == '-' || *c == '+') ++c;
  if (*c < '0' || *c > '9') return false;
  long long number = 0;
  for (; *c >= '0' && *c <= '9'; ++c)
    if (number <= INT_MAX) number = number * 10 + (*c - '0');
  if (negative) number = -number;
  value = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
  return true;
}

namespace {
int hold(int value, int low, int high) { return value < low ? low : value > high ? high : value; }
}  // namespace

int limit_backup_number(int value) { return hold(value, 0, highest_backup_number); }
int limit_data_max(int value) { return hold(value, 500, highest_data_max); }
int limit_history_menu_max(int value) { return hold(value, 10, highest_history_menu_max); }
int limit_tag_save_limit(int value) {
  if (value >= 60) return 60;
  if (value <= 1) return 1;
  return value;
}

void apply_mode_setting(const char* mode_text) {
  if (std::strcmp(mode_text, "RETURN") == 0) {
    set_text(record_separator, "\n");
    set_text(mode_name, "RETURN");
  }
}

int history_saving_from(const char* save_text) { return std::strncmp(save_text, "history", 7) == 0 ? 1 : 0; }

namespace {
char unread_hotkey[hotkey_text_size];
}  // namespace

void apply_hotkey_setting(const char* text) {
  shortcut_key = hotkey{0, 0};
  const bool read = text[0] == '\0' || parse_hotkey_name(text, shortcut_key);
  set_text(unread_hotkey, read ? "" : text);
}

const char* unread_hotkey_text() { return unread_hotkey; }

void choose_shortcut_key(const hotkey& key) {
  shortcut_key = key;
  unread_hotkey[0] = '\0';
}

const char* hotkey_setting_text(char* out, size_t size) {
  if (shortcut_key.key != 0 && format_hotkey_name(shortcut_key, out, size)) return out;
  return unread_hotkey[0] != '\0' ? unread_hotkey : nullptr;
}

const char* paste_setting_text() { return paste_on_choice == 1 ? "1" : nullptr; }
