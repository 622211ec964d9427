#include "settings/settings_file.h"

#include <windows.h>

#include <cstdio>

#include "settings/ignored_programs.h"
#include "settings/save_report.h"
#include "settings/settings_values.h"
#include "text/file_faults.h"
#include "text/file_replace.h"

char ini_path[ini_path_size];

namespace {
void (*write_other_sections)(settings_update&) = nullptr;

const char init_section[] = "init";

// A value that does not start with a number keeps the default.
int read_int(const char* key, int fallback) {
  char text[32];
  GetPrivateProfileStringA(init_section, key, "", text, sizeof text, ini_path);
  int value = fallback;
  return parse_setting_number(text, value) ? value : fallback;
}

void read_text(const char* key, const char* fallback, char* out, DWORD size) {
  GetPrivateProfileStringA(init_section, key, fallback, out, size, ini_path);
}

void build_ini_path() {
  char dir[ini_path_size - 32];
  DWORD length = GetCurrentDirectoryA(sizeof dir, dir);
  if (length == 0 || length >= sizeof dir) dir[0] = '\0';
  std::snprintf(ini_path, sizeof ini_path, "%s\\%s", dir, settings_file_name);
}
}  // namespace

void keep_other_sections(void (*write_sections)(settings_update&)) { write_other_sections = write_sections; }

void load_settings() {
  build_ini_path();
  backup_number = limit_backup_number(read_int("back num", 0));
  data_max = limit_data_max(read_int("max", 500));
  history_menu_max = limit_history_menu_max(read_int("his max", 10));
  tag_save_limit = limit_tag_save_limit(read_int("tagsavelimit sec", 10));
  char choice[32];
  read_text("mode", "", choice, sizeof choice);
  apply_mode_setting(choice);
  read_text("save", "", choice, sizeof choice);
  history_saving = history_saving_from(choice);
  genre_number = read_int("spname", 1);
  read_text("tagA", "<a href=\"", tag_a, 255);
  read_text("tagB", "\">", tag_b, 255);
  read_text("tagC", "</a>", tag_c, 255);
  read_text("taglinkfile", "taglink.txt", tag_link_file, 256);
  char hotkey_text[hotkey_text_size];
  read_text("hotkey", "", hotkey_text, sizeof hotkey_text);
  apply_hotkey_setting(hotkey_text);
  paste_on_choice = read_int("paste", 0) == 1 ? 1 : 0;
  read_text("ignore", "", ignored_programs, sizeof ignored_programs);
}

bool save_settings() {
  settings_update update;
  update.write_number(init_section, "back num", backup_number);
  update.write_number(init_section, "max", data_max);
  update.write_number(init_section, "his max", history_menu_max);
  update.write(init_section, "mode", mode_name);
  update.write(init_section, "save", history_saving == 1 ? "history" : "no-history");
  update.write_number(init_section, "spname", genre_number);
  char key_name[hotkey_name_size];
  update.write(init_section, "hotkey", hotkey_setting_text(key_name, sizeof key_name));
  update.write(init_section, "paste", paste_setting_text());
  if (write_other_sections != nullptr) write_other_sections(update);
  return update.commit();
}

namespace {
// A copy of a read-only settings file is read-only too, and would stand in the way of
// every later save; the copy is ours, so it never keeps the attribute.
void delete_copy(const char* path) {
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path);
}

bool copy_settings(const char* from, const char* to) {
  if (!file_fault(file_step::open, to)) return CopyFileA(from, to, FALSE) != 0;
  SetLastError(ERROR_ACCESS_DENIED);
  return false;
}
}  // namespace

settings_update::settings_update() : ok_(true), committed_(false) {
  std::snprintf(path_, sizeof path_, "%s.tmp", ini_path);
  delete_copy(path_);
  if (copy_settings(ini_path, path_)) {
    ok_ = SetFileAttributesA(path_, FILE_ATTRIBUTE_NORMAL) != 0;
  } else {
    ok_ = GetLastError() == ERROR_FILE_NOT_FOUND;
    delete_copy(path_);
  }
}

settings_update::~settings_update() {
  if (!committed_) delete_copy(path_);
}

void settings_update::write(const char* section, const char* key, const char* value) {
  if (ok_ && (file_fault(file_step::write, path_) || !WritePrivateProfileStringA(section, key, value, path_)))
    ok_ = false;
}

void settings_update::write_number(const char* section, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  write(section, key, text);
}

bool settings_update::commit() {
  // Lets go of the profile functions' own copy, so the file on disk is complete.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_);
  committed_ = ok_ && replace_file(path_, ini_path);
  if (!committed_) delete_copy(path_);
  return report_save(committed_, kept_file::settings, settings_file_name);
}
