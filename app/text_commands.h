// The "変換" and "日時" commands of the main window.
#pragma once
#include <windows.h>

// The clock the stamps read; the local time unless a caller puts another in.
extern void (*read_local_time)(SYSTEMTIME*);

char* stamp_date(char* target, const char* format);
char* stamp_time(char* target, const char* format);
// Reads the clip edit into clip_text, converts it and shows the result in the clip edit;
// clip_text keeps the unconverted text.
void convert_clip_edit(void (*conversion)(const char*));
// The "JIS" conversion, saying in the status line how many characters became 〓.
void convert_clip_edit_to_jis();
// Makes the stamp the clip and sends the release verb, which puts it on the clipboard.
void run_stamp_command(bool date, WPARAM wparam, LPARAM lparam);
