#include "drawers/genre_list.h"

#include <cstdio>
#include <string>
#include <vector>

#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/drawer_view.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

int genre_count = 1;

namespace {
const char special_section[] = "special";
// Genre k's name, as listed, is genre_names[k - 1].
std::vector<std::string> genre_names;

void read_genre(int number, char (&name)[genre_name_max + 1]) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", number);
  std::string stored;
  read_setting(special_section, key, stored);
  copy_genre_name(name, sizeof name, stored.c_str());
}

void write_genre(settings_update& update, int number, const char* name) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", number);
  update.write(special_section, key, name);
}

void list_genre(const char* name) {
  genre_names.emplace_back(name);
  genre_count = static_cast<int>(genre_names.size());
  shown_drawers().list_genre(genre_count, name);
}

const char* listed_name(int number) {
  return number >= 1 && number <= static_cast<int>(genre_names.size()) ? genre_names[number - 1].c_str() : "";
}
}  // namespace

const char* genre_name_of(int number) { return listed_name(number); }

void load_genre_list() {
  genre_names.clear();
  // Genre entries beyond the identifier span could never be chosen.
  for (int k = 1; k <= genre_id_span; ++k) {
    char name[genre_name_max + 1];
    read_genre(k, name);
    if (name[0] == '\0') break;
    list_genre(name);
  }
  if (genre_names.empty()) list_genre("special");
  if (genre_number < 1 || genre_number > genre_count) genre_number = 1;
}

void choose_genre(int number) {
  if (number < 1 || number > genre_count) return;
  set_genre_stems(listed_name(number));
  shown_drawers().mark_genre(number, genre_count);
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
  list_genre(cut);
  return genre_count;
}

void next_genre() {
  ++genre_number;
  if (genre_number > genre_count) genre_number = 1;
  char name[genre_name_max + 1];
  read_genre(genre_number, name);
  // On a first run the default genre lives only in the list.
  if (name[0] == '\0') copy_genre_name(name, sizeof name, listed_name(genre_number));
  if (name[0] != '\0') set_genre_stems(name);
}

void save_genre_list(settings_update& update) {
  for (int i = 1; i <= genre_count; ++i) {
    if (listed_name(i)[0] == '\0') break;
    write_genre(update, i, listed_name(i));
  }
}
