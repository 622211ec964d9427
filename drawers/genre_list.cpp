#include "drawers/genre_list.h"

#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/clip_menus.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

int genre_count = 1;

namespace {
const char special_section[] = "special";
constexpr int stored_name_size = 260;

void read_genre(int number, char (&name)[genre_name_max + 1]) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", number);
  char stored[stored_name_size];
  GetPrivateProfileStringA(special_section, key, "", stored, sizeof stored, ini_path);
  copy_genre_name(name, sizeof name, stored);
}

void write_genre(settings_update& update, int number, const char* name) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", number);
  update.write(special_section, key, name);
}
}  // namespace

void load_genre_list() {
  genre_count = 0;
  // Genre entries beyond the identifier span could never be chosen.
  for (int k = 1; k <= genre_id_span; ++k) {
    char name[genre_name_max + 1];
    read_genre(k, name);
    if (name[0] == '\0') break;
    append_clip_entry(genre_menu, genre_id_base + k, name, k);
    ++genre_count;
  }
  if (genre_count == 0) {
    append_clip_entry(genre_menu, genre_id_base + 1, "special", 1);
    genre_count = 1;
  }
  if (genre_number < 1 || genre_number > genre_count) genre_number = 1;
}

void choose_genre(int number) {
  if (number < 1 || number > genre_count) return;
  char label[genre_name_size];
  if (GetMenuStringA(genre_menu, number, label, sizeof label, MF_BYPOSITION) <= 0) label[0] = '\0';
  set_genre_stems(label);
  for (int k = 0; k <= genre_count; ++k) CheckMenuItem(genre_menu, genre_id_base + k, MF_BYCOMMAND | MF_UNCHECKED);
  CheckMenuItem(genre_menu, genre_id_base + number, MF_BYCOMMAND | MF_CHECKED);
  genre_number = number;
  current_block = 0;
  select_block(0);
}

void choose_and_store_genre(int number) {
  choose_genre(number);
  save_settings();
}

int add_genre(const char* name) {
  char cut[genre_name_max + 1];
  copy_genre_name(cut, sizeof cut, name);
  // A genre past the identifier span could never be chosen from the menu.
  if (cut[0] == '\0' || genre_count >= genre_id_span) return 0;
  settings_update update;
  write_genre(update, genre_count + 1, cut);
  if (!update.commit()) return 0;
  ++genre_count;
  append_clip_entry(genre_menu, genre_id_base + genre_count, cut, genre_count);
  return genre_count;
}

void next_genre() {
  ++genre_number;
  if (genre_number > genre_count) genre_number = 1;
  char name[genre_name_max + 1];
  read_genre(genre_number, name);
  // On a first run the default genre lives only in the menu.
  char label[genre_name_size];
  if (name[0] == '\0' && GetMenuStringA(genre_menu, static_cast<UINT>(genre_number), label, sizeof label,
                                        MF_BYPOSITION) > 0)
    copy_genre_name(name, sizeof name, label);
  if (name[0] != '\0') set_genre_stems(name);
}

void save_genre_list(settings_update& update) {
  for (int i = 1; i <= genre_count; ++i) {
    char label[genre_name_size];
    if (GetMenuStringA(genre_menu, i, label, sizeof label, MF_BYPOSITION) <= 0 || label[0] == '\0') break;
    write_genre(update, i, label);
  }
}
