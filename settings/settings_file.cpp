#include "settings/settings_file.h"

#include <commdlg.h>

#include <cstdio>

#include "app/save_notice.h"
#include "drawers/genre_list.h"
#include "history/file_replace.h"
#include "settings/settings_values.h"
#include "settings/ui_texts.h"

char ini_path[ini_path_size];

namespace {
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
  read_text("hotkey", "", choice, sizeof choice);
  apply_hotkey_setting(choice);
  paste_on_choice = read_int("paste", 0) == 1 ? 1 : 0;
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
  save_genre_list(update);
  return update.commit();
}

settings_update::settings_update() : ok_(true), committed_(false) {
  std::snprintf(path_, sizeof path_, "%s.tmp", ini_path);
  if (!CopyFileA(ini_path, path_, FALSE)) {
    ok_ = GetLastError() == ERROR_FILE_NOT_FOUND;
    DeleteFileA(path_);
  }
}

settings_update::~settings_update() {
  if (!committed_) DeleteFileA(path_);
}

void settings_update::write(const char* section, const char* key, const char* value) {
  if (ok_ && !WritePrivateProfileStringA(section, key, value, path_)) ok_ = false;
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
  if (!committed_) DeleteFileA(path_);
  return report_save(committed_, settings_file_name);
}

bool pick_history_file(HWND owner, char* path) {
  static const char filter[] = "Text Files (*.TXT)\0*.txt\0ASCII Files (*.ASC)\0*.asc\0All Files (*.*)\0*.*\0";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = 260;
  dialog.lpstrTitle = open_dialog_title;
  // Without OFN_NOCHANGEDIR a choice in another folder would move every state file there.
  dialog.Flags = OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
  dialog.lpstrDefExt = "txt";
  // The dialog's library is loaded on first use: linked in, it costs every start-up
  // about a third more time, for a dialog most runs never open.
  static HMODULE library = LoadLibraryA("comdlg32.dll");
  using open_file_function = BOOL(WINAPI*)(OPENFILENAMEA*);
  // Through the generic function type, the one a found procedure may be cast from freely.
  const auto found = reinterpret_cast<void (*)()>(library != nullptr ? GetProcAddress(library, "GetOpenFileNameA")
                                                                      : nullptr);
  const auto open_file = reinterpret_cast<open_file_function>(found);
  return open_file != nullptr && open_file(&dialog) != 0;
}
