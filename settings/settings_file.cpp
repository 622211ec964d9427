#include "settings/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/ignored_programs.h"
#include "settings/profile_text.h"
#include "settings/save_report.h"
#include "settings/settings_values.h"
#include "text/file_faults.h"
#include "text/file_names.h"
#include "text/file_replace.h"

namespace {
void (*write_other_sections)(settings_update&) = nullptr;

const char init_section[] = "init";
// Named for the planted faults the way the files are named in the data folder.
const char temporary_name[] = "dovane_clip.ini.tmp";

// The settings file of the data folder as start-up found it, by its wide path, so that
// a folder named in any script is found and saves stay there while the directory moves.
std::wstring settings_path;

void find_settings_path() {
  std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  settings_path.assign(folder.data(), length != 0 && length < folder.size() ? length : 0);
  settings_path += L'\\';
  settings_path += wide_file_name(settings_file_name);
}

std::wstring temporary_path() { return settings_path + L".tmp"; }

void find_settings_path_once() {
  if (settings_path.empty()) find_settings_path();
}

// The file's bytes; false when it is there but cannot be read. A missing file reads empty.
bool read_settings_text(std::string& text) {
  text.clear();
  find_settings_path_once();
  HANDLE file = CreateFileW(settings_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  char buffer[4096];
  DWORD read = 0;
  bool whole = true;
  while ((whole = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return whole;
}

bool write_new_file(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                     written == text.size();
  return CloseHandle(file) && whole;
}

// A value that does not start with a number keeps the default.
int read_int(const std::string& text, const char* key, int fallback) {
  std::string stored;
  int value = fallback;
  return profile_value(text, init_section, key, stored) && parse_setting_number(stored.c_str(), value) ? value
                                                                                                          : fallback;
}

void read_text(const std::string& text, const char* key, const char* fallback, char* out, std::size_t size) {
  std::string stored;
  if (!profile_value(text, init_section, key, stored)) stored = fallback;
  std::snprintf(out, size, "%s", stored.c_str());
}
}  // namespace

void keep_other_sections(void (*write_sections)(settings_update&)) { write_other_sections = write_sections; }

bool read_setting(const char* section, const char* key, std::string& value) {
  std::string text;
  return read_settings_text(text) && profile_value(text, section, key, value);
}

void load_settings() {
  find_settings_path();
  std::string text;
  read_settings_text(text);
  backup_number = limit_backup_number(read_int(text, "back num", 0));
  data_max = limit_data_max(read_int(text, "max", 500));
  history_menu_max = limit_history_menu_max(read_int(text, "his max", 10));
  tag_save_limit = limit_tag_save_limit(read_int(text, "tagsavelimit sec", 10));
  char choice[32];
  read_text(text, "mode", "", choice, sizeof choice);
  apply_mode_setting(choice);
  read_text(text, "save", "", choice, sizeof choice);
  history_saving = history_saving_from(choice);
  genre_number = read_int(text, "spname", 1);
  read_text(text, "tagA", "<a href=\"", tag_a, 255);
  read_text(text, "tagB", "\">", tag_b, 255);
  read_text(text, "tagC", "</a>", tag_c, 255);
  read_text(text, "taglinkfile", "taglink.txt", tag_link_file, 256);
  char hotkey_text[hotkey_text_size];
  read_text(text, "hotkey", "", hotkey_text, sizeof hotkey_text);
  apply_hotkey_setting(hotkey_text);
  paste_on_choice = read_int(text, "paste", 0) == 1 ? 1 : 0;
  read_text(text, "ignore", "", ignored_programs, sizeof ignored_programs);
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

settings_update::settings_update() : ok_(read_settings_text(text_)) {}

void settings_update::write(const char* section, const char* key, const char* value) {
  if (ok_ && file_fault(file_step::write, temporary_name)) ok_ = false;
  if (ok_) text_ = profile_with(text_, section, key, value);
}

void settings_update::write_number(const char* section, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  write(section, key, text);
}

bool settings_update::commit() {
  // The new text goes beside the file and takes its place in one step, so a failed or
  // interrupted save leaves the old file whole.
  const std::wstring temporary = temporary_path();
  bool committed = ok_ && !file_fault(file_step::open, temporary_name) && write_new_file(temporary, text_);
  committed = committed && !file_fault(file_step::replace, temporary_name) &&
              !file_fault(file_step::replace, settings_file_name) &&
              replace_wide_file(temporary.c_str(), settings_path.c_str());
  if (!committed) DeleteFileW(temporary.c_str());
  return report_save(committed, kept_file::settings, settings_file_name);
}
