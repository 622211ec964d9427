// The settings file "dovane_clip.ini", read and written through the profile functions.
#pragma once

// Sized for the longest path the platform allows, so it is never cut.
constexpr int ini_path_size = 32768;
extern char ini_path[ini_path_size];

class settings_update;
// Sections that other subsystems keep in the settings file are written with every save
// by the function the shell names here at start-up.
void keep_other_sections(void (*write_sections)(settings_update&));

void load_settings();
// Writes every stored value; false (and the user told) when the file could not be saved.
bool save_settings();
// A change of the settings file made on a copy beside it, which takes the file's place
// in one step on commit, so a failed or interrupted save leaves the old file whole.
class settings_update {
 public:
  settings_update();
  ~settings_update();
  settings_update(const settings_update&) = delete;
  settings_update& operator=(const settings_update&) = delete;
  void write(const char* section, const char* key, const char* value);
  void write_number(const char* section, const char* key, int value);
  // Puts the copy in the file's place; false when any step failed.
  bool commit();

 private:
  char path_[ini_path_size + 8];
  bool ok_;
  bool committed_;
};
