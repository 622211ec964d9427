#include "app/text_commands.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/ui_text.h"
#include "app/status_note.h"
#include "history/record_file.h"
#include "text/encodings.h"
#include "text/stamps.h"

void (*read_local_time)(SYSTEMTIME*) = GetLocalTime;

char* stamp_date(char* target, const char* format) {
  SYSTEMTIME now;
  read_local_time(&now);
  return format_date_stamp(target, clip_size, format, now.wYear, now.wMonth, now.wDay);
}

char* stamp_time(char* target, const char* format) {
  SYSTEMTIME now;
  read_local_time(&now);
  return format_time_stamp(target, clip_size, format, now.wHour, now.wMinute, now.wSecond);
}

void convert_clip_edit(void (*conversion)(const char*)) {
  read_window_text(clip_edit, clip_text);
  conversion(clip_text);
  set_window_text_sjis(clip_edit, conversion_output);
  // A converted clip is an edited one: it goes out when the edit is left.
  SendMessageW(clip_edit, EM_SETMODIFY, TRUE, 0);
}

void convert_clip_edit_to_jis() {
  convert_clip_edit(to_iso2022jp);
  if (jis_replaced_characters == 0) return;
  char note[status_note_size];
  std::snprintf(note, sizeof note, "JIS にない文字 %u 字を〓にしました",
                static_cast<unsigned>(jis_replaced_characters));
  set_status_note(note);
}

void run_stamp_command(bool date, WPARAM wparam, LPARAM lparam) {
  if (date)
    stamp_date(clip_text, date_format);
  else
    stamp_time(clip_text, time_format);
  SendMessageW(main_window, WM_KEYUP, wparam, lparam);
}
