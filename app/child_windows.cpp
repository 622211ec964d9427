#include "app/child_windows.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/data_folder.h"
#include "app/main_window.h"
#include "app/res/resource_ids.h"
#include "app/status_note.h"
#include "app/text_frame.h"
#include "app/ui_text.h"
#include "drawers/drawer_menus.h"
#include "app/affixes.h"
#include "history/record_file.h"
#include "settings/settings_values.h"
#include "settings/ui_texts.h"

int note_count = 0;

namespace {

WNDPROC previous_clip_edit_procedure;
WNDPROC previous_search_edit_procedure;
WNDPROC previous_scroll_bar_procedure;

// Said after the output, whose own capture finds nothing missing.
void tell_unmappable(size_t count) {
  if (count > 0) note_unmappable_characters(static_cast<int>(count));
}

LRESULT CALLBACK scroll_bar_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN && wparam == VK_TAB) {
    // Three children share id 0, so a lookup by id is ambiguous; the cycle is fixed
    // instead: Tab goes to the clip edit, Shift+Tab to the search edit.
    SetFocus(GetKeyState(VK_SHIFT) < 0 ? search_edit : clip_edit);
  } else if (message == WM_KEYUP || message == WM_CHAR) {
    SendMessageW(main_window, message, wparam, lparam);
  }
  return CallWindowProcW(previous_scroll_bar_procedure, window, message, wparam, lparam);
}

LRESULT CALLBACK clip_edit_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // Only an edited clip goes out: passing through the edit leaves the clipboard as it is.
  if (message == WM_KILLFOCUS && SendMessageW(clip_edit, EM_GETMODIFY, 0, 0) != 0) {
    SendMessageW(clip_edit, EM_SETMODIFY, FALSE, 0);
    size_t unmappable = 0;
    read_window_text(clip_edit, clip_text, &unmappable);
    output_clip(clip_edit);
    tell_unmappable(unmappable);
  }
  return CallWindowProcW(previous_clip_edit_procedure, window, message, wparam, lparam);
}

LRESULT CALLBACK search_edit_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(previous_search_edit_procedure, window, message, wparam, lparam);
}

WNDPROC subclass(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

const char* const note_class_name = "dovane_clip_note";
const char* const affix_class_name = "dovane_clip_affix";

struct affix {
  int& state;
  HWND& window;
  HWND& button;
  const char* const& label;
  const char* const& on_label;
  const char* const& menu_name;
};

void toggle_affix(const affix& a) {
  a.state = -a.state;
  if (a.state == 1) {
    set_window_text_sjis(a.button, a.on_label);
    HWND frame = create_text_frame(affix_class_name, text_frame_procedure, a.label,
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, a.menu_name, a.label);
    a.window = text_frame_edit(frame);
  } else {
    set_window_text_sjis(a.button, a.label);
    // Closed by its own close box, the window is already gone.
    if (a.window != nullptr && IsWindow(a.window)) DestroyWindow(GetParent(a.window));
    a.window = nullptr;
  }
  output_clip(a.button);
}

// Returns the characters Shift_JIS lacked.
size_t read_note(HWND note, char (&text)[clip_size]) {
  size_t unmappable = 0;
  read_window_text(text_frame_edit(note), text, &unmappable);
  return unmappable;
}


LRESULT CALLBACK note_procedure(HWND note, UINT message, WPARAM wparam, LPARAM lparam) {
  // A note stays usable while the open-file dialog has moved the current directory.
  in_data_folder data_folder;
  if (message == WM_COMMAND) {
    switch (LOWORD(wparam)) {
      case CMD_SAVE_TO_CLIPBOARD: {
        const size_t unmappable = read_note(note, clip_text);
        output_clip(note);
        tell_unmappable(unmappable);
        break;
      }
      case CMD_SET_SEARCH: {
        static char search_text[clip_size];
        read_note(note, search_text);
        set_window_text_sjis(search_edit, search_text);
        show_main_window();
        SetFocus(main_window);
        break;
      }
      case CMD_FROM_CLIPBOARD: set_window_text_sjis(text_frame_edit(note), clip_text); break;
      case CMD_ERASE: SetWindowTextW(text_frame_edit(note), L""); break;
      case CMD_NEW_NOTE: SendMessageW(main_window, WM_COMMAND, wparam, lparam); break;
      case CMD_SAVE_TO_SPECIAL: {
        static char note_text[clip_size];
        read_note(note, note_text);
        register_in_drawer(note_text, 0);
        return 0;
      }
      case CMD_MAIN_WINDOW:
        show_main_window();
        SetFocus(main_window);
        return 0;
      default: break;
    }
  }
  return text_frame_procedure(note, message, wparam, lparam);
}

INT_PTR CALLBACK version_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) DestroyWindow(dialog);
  return 0;
}

}  // namespace

void show_in_clip_edit(const char* text) {
  SetWindowTextW(clip_edit, clip_whole_text(text).c_str());
  // Setting the text clears the flag only by the edit's own choice, which no
  // documentation promises.
  SendMessageW(clip_edit, EM_SETMODIFY, FALSE, 0);
}

void subclass_children() {
  previous_clip_edit_procedure = subclass(clip_edit, clip_edit_procedure);
  previous_scroll_bar_procedure = subclass(scroll_bar, scroll_bar_procedure);
  previous_search_edit_procedure = subclass(search_edit, search_edit_procedure);
}

void toggle_start_affix() {
  toggle_affix({start_state, start_window, start_button, start_label, start_on_label, start_menu_name});
}

void toggle_end_affix() { toggle_affix({end_state, end_window, end_button, end_label, end_on_label, end_menu_name}); }

HWND open_note_window() {
  ++note_count;
  char title[16];
  std::snprintf(title, sizeof title, "%d:", note_count);
  return create_text_frame(note_class_name, note_procedure, title,
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS, note_menu_name, note_class_name);
}

void open_version_dialog() {
  CreateDialogParamW(instance, MAKEINTRESOURCEW(DLG_VERSION), main_window, version_dialog_procedure, 0);
}

bool takes_main_window_keys(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  if (root == main_window) return true;
  wchar_t window_class[32];
  if (GetClassNameW(root, window_class, 32) <= 0) return false;
  const std::string name = sjis_from_wide(window_class);
  if (name == note_class_name || name == affix_class_name) return true;
  return name == "#32770" && GetWindow(root, GW_OWNER) == main_window;
}
