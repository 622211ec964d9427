// Every value the system starts from and keeps between runs.
#pragma once
#include <cstddef>

#include "settings/hotkey_name.h"

constexpr int tag_text_size = 256;

// "\a\n" in the default mode, "\n" in RETURN mode; the first byte stops a record.
constexpr int separator_size = 16;
extern char record_separator[separator_size];
constexpr int mode_name_size = 8;

extern int backup_number;
extern int data_max;          // at least 500
extern int history_menu_max;  // at least 10
extern int tag_save_limit;    // seconds, 1-60
extern char mode_name[mode_name_size];
extern int history_saving;    // 1 or 0
extern int genre_number;
extern char tag_a[tag_text_size];
extern char tag_b[tag_text_size];
extern char tag_c[tag_text_size];
extern char tag_link_file[tag_text_size];
extern hotkey shortcut_key;  // key 0 while no shortcut is set
extern int paste_on_choice;  // 1: a clip chosen from a menu is pasted where the user was

// Limits, fixed names and identifier spans that the defaults give.
constexpr int recycle_menu_limit = 100;
constexpr int drawer_menu_limit = 100;
constexpr int ring_slots = 50;
constexpr int history_id_span = 6000;
constexpr int drawer_id_stride = 1500;
constexpr int genre_id_span = 5000;
constexpr int highest_block = 4;
constexpr int version_dialog_id = 121;
extern const char settings_file_name[];
extern const char ring_file_name[];
extern const char recycle_file_name[];
extern const char recycle_index_file_name[];
extern const char default_history_name[];
extern const char backup_base_name[];

// Applied while the main window is being created, before the settings file is read.
// Each subsystem sets its own state's defaults; these are the stored values'.
void set_defaults();

// The decimal number a stored value starts with (blanks, an optional sign, digits), as
// the profile functions read it; false when the value starts with no number. A number
// past the int range is held at that range's end, never wrapped.
bool parse_setting_number(const char* text, int& value);

// Reading limits of the settings file, shared by the loader and its tests. The upper
// bounds keep every count and sum made from them inside the int range.
constexpr int highest_backup_number = 999999999;
constexpr int highest_data_max = 10000000;
constexpr int highest_history_menu_max = 100000;
int limit_backup_number(int value);
int limit_data_max(int value);
int limit_history_menu_max(int value);
int limit_tag_save_limit(int value);
// Picks the separator and mode name from the stored "mode" text.
void apply_mode_setting(const char* mode_text);
int history_saving_from(const char* save_text);
// The stored "hotkey" text: empty is no shortcut; a name that does not read leaves none,
// and is kept as the user wrote it until another shortcut is chosen.
constexpr size_t hotkey_text_size = 256;
void apply_hotkey_setting(const char* text);
// The stored text that named no key; empty when there was none.
const char* unread_hotkey_text();
// The shortcut the user chose in place of whatever was stored.
void choose_shortcut_key(const hotkey& key);
// The "hotkey" and "paste" values to store; nullptr for a value that is off, which the
// file then does not hold.
const char* hotkey_setting_text(char* out, size_t size);
const char* paste_setting_text();
