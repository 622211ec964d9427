// The settings file "dovane_clip.ini" of the data folder, read and written as its
// Shift_JIS bytes by our own profile reader and writer.
#pragma once
#include <string>

class settings_update;
// Sections that other subsystems keep in the settings file are written with every save
// by the function the shell names here at start-up.
void keep_other_sections(void (*write_sections)(settings_update&));

void load_settings();
// The value of key in section as the file holds it now; false when there is none.
bool read_setting(const char* section, const char* key, std::string& value);
// Writes every stored value; false (and the user told) when the file could not be saved.
bool save_settings();
// A change of the settings file made on a copy beside it, which takes the file's place
// in one step on commit, so a failed or interrupted save leaves the old file whole.
class settings_update {
 public:
  settings_update();
  settings_update(const settings_update&) = delete;
  settings_update& operator=(const settings_update&) = delete;
  // A null value removes the key.
  void write(const char* section, const char* key, const char* value);
  void write_number(const char* section, const char* key, int value);
  // Puts the copy in the file's place; false when any step failed.
  bool commit();

 private:
  std::string text_;
  bool ok_;
};
