// UI texts and resource names, set once at program entry.
#pragma once

extern const char* main_menu_name;    // "dovane_clip_j"
extern const char* start_menu_name;   // "start_j"
extern const char* end_menu_name;     // "end_j"
extern const char* note_menu_name;    // "edit_j"
extern const char* open_dialog_title;
extern const char* title_label;       // put in brackets after the clip in the title
extern const char* start_label;
extern const char* start_on_label;
extern const char* end_label;
extern const char* end_on_label;
extern const char* reset_label;
extern const char* clip_edit_text;
extern const char* search_edit_text;

void set_ui_texts();
