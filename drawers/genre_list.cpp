#include "drawers/genre_list.h"

#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "settings/settings_file.h"

int genre_count = 1;

namespace {
const char special_section[] = "special";
constexpr int genre_field_size = 32;  // a genre name is at most 31 bytes
}  // namespace

void load_genre_list() {
  genre_count = 0;
  for (int k = 1;; ++k) {
    char key[16];
    std::snprintf(key, sizeof key, "%d", k);
    char name[genre_field_size];
    GetPrivateProfileStringA(special_section, key, "", name, sizeof name, ini_path);
    if (name[0] == '\0') break;
    AppendMenuA(genre_menu, MF_STRING, genre_id_base + k, name);
    ++genre_count;
  }
  if (genre_count == 0) {
    AppendMenuA(genre_menu, MF_STRING, genre_id_base + 1, "special");
    genre_count = 1;
  }
}

void save_genre_list() {
  for (int i = 1; i <= genre_count; ++i) {
    char label[260];
    if (GetMenuStringA(genre_menu, i, label, sizeof label, MF_BYPOSITION) <= 0 || label[0] == '\0') break;
    char key[16];
    std::snprintf(key, sizeof key, "%d", i);
    WritePrivateProfileStringA(special_section, key, label, ini_path);
  }
}
