#include "app/drawer_editor.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "app/ui_text.h"
#include "drawers/drawer_menus.h"
#include "drawers/drawer_names.h"
#include "drawers/drawer_records.h"
#include "drawers/genre_list.h"
#include "history/record_file.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

int editor_block = 0;
int editor_drawer = 0;
int editor_index = 0;

namespace {
constexpr int number_box_chars = 9;
constexpr int genre_box_size = 260;

// Where the record on show was read from: "削除" deletes that one, whatever has been
// typed into the boxes since.
struct shown_record {
  int block;
  int drawer;
  int index;
};
shown_record shown{0, 0, 0};

// A box that does not begin with a number leaves the value as it was.
void read_number_box(HWND dialog, int box, int& value) {
  char text[number_box_chars + 1];
  read_window_text(GetDlgItem(dialog, box), text);
  int read = 0;
  if (std::sscanf(text, "%d", &read) == 1) value = read;
}

void hold_block() {
  if (editor_block < 0) editor_block = 0;
  if (editor_block > highest_block) editor_block = highest_block;
}

void read_drawer_and_block(HWND dialog) {
  read_number_box(dialog, IDC_SP_DRAWER, editor_drawer);
  read_number_box(dialog, IDC_SP_BLOCK, editor_block);
  hold_block();
}

void show_number(HWND dialog, int box, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  set_window_text_sjis(GetDlgItem(dialog, box), text);
}

void refresh(HWND dialog) {
  // A place with no record shows nothing, never the text of the place shown before,
  // which a save would otherwise store here.
  const bool found = read_drawer_record(editor_block, editor_drawer, editor_index);
  shown = {editor_block, editor_drawer, editor_index};
  set_window_text_sjis(GetDlgItem(dialog, IDC_SP_TEXT), found ? clip_text : "");
  set_window_text_sjis(GetDlgItem(dialog, IDC_SP_GENRE), genre_name);
  show_number(dialog, IDC_SP_BLOCK, editor_block);
  show_number(dialog, IDC_SP_DRAWER, editor_drawer);
  show_number(dialog, IDC_SP_INDEX, editor_index);
}

void send_refresh(HWND dialog) { SendMessageW(dialog, WM_COMMAND, editor_refresh_command, 0); }

// The six step buttons: read the boxes, move one way, show the result.
void step(HWND dialog, int& field, int by) {
  read_drawer_and_block(dialog);
  if (by > 0 || field > 0) field += by;
  hold_block();
  send_refresh(dialog);
}

void save_record(HWND dialog) {
  read_drawer_and_block(dialog);
  size_t unmappable = 0;
  read_window_text(GetDlgItem(dialog, IDC_SP_TEXT), clip_text, &unmappable);
  append_drawer_record(editor_block, editor_drawer, clip_text);
  if (unmappable > 0) note_unmappable_characters(static_cast<int>(unmappable));
}

// The boxes go back to the drawer deleted from and show what now holds that number.
void delete_record(HWND dialog) {
  delete_drawer_record(shown.block, shown.drawer, shown.index);
  editor_block = shown.block;
  editor_drawer = shown.drawer;
  editor_index = shown.index;
  send_refresh(dialog);
}

// A name that trims to nothing is refused: nothing is written and the name stays.
void save_genre(HWND dialog) {
  char typed[genre_box_size];
  read_window_text(GetDlgItem(dialog, IDC_SP_GENRE), typed);
  const int number = add_genre(typed);
  if (number == 0) {
    set_window_text_sjis(GetDlgItem(dialog, IDC_SP_GENRE), genre_name);
    MessageBeep(MB_ICONWARNING);
    return;
  }
  genre_number = number;
  set_genre_stems(typed);
  show_current_genre();
  save_settings();
  send_refresh(dialog);
}

// The genre now current is stored at once, as a genre chosen from the menu is.
void step_genre(HWND dialog) {
  next_genre();
  show_current_genre();
  save_settings();
  send_refresh(dialog);
}

BOOL run_editor_command(HWND dialog, int id) {
  switch (id) {
    case IDC_SP_NEXT_RECORD: step(dialog, editor_index, 1); return TRUE;
    case IDC_SP_PREV_RECORD: step(dialog, editor_index, -1); return TRUE;
    case IDC_SP_NEXT_DRAWER: step(dialog, editor_drawer, 1); return TRUE;
    case IDC_SP_PREV_DRAWER: step(dialog, editor_drawer, -1); return TRUE;
    case IDC_SP_NEXT_BLOCK: step(dialog, editor_block, 1); return TRUE;
    case IDC_SP_PREV_BLOCK: step(dialog, editor_block, -1); return TRUE;
    case editor_refresh_command: refresh(dialog); return TRUE;
    case IDC_SP_SAVE: save_record(dialog); return TRUE;
    case IDC_SP_DELETE: delete_record(dialog); return TRUE;
    case IDC_SP_SAVE_GENRE: save_genre(dialog); return TRUE;
    case IDC_SP_NEXT_GENRE: step_genre(dialog); return TRUE;
    case IDC_SP_PASTE:
    case IDOK: return TRUE;
    case IDCANCEL:
      // What the editor appended or deleted shows in the menus from now on.
      show_current_genre();
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default: return FALSE;
  }
}
}  // namespace

void open_drawer_editor() { DialogBoxParamW(instance, L"SPDLG", main_window, drawer_editor_procedure, 0); }

INT_PTR CALLBACK drawer_editor_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      editor_block = 0;
      editor_drawer = 0;
      editor_index = 0;
      SendMessageW(dialog, WM_COMMAND, IDC_SP_NEXT_RECORD, 0);
      return TRUE;
    case WM_COMMAND: return run_editor_command(dialog, LOWORD(wparam));
    default: return FALSE;
  }
}
