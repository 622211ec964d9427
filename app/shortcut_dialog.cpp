// The dialog that sets the shortcut key and whether a chosen clip is pasted.
#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/shortcut_menu.h"
#include "app/ui_text.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

namespace {

const char unusable_text[] = "このキーは使えません。Ctrl、Alt、Shift のどれかと組み合わせてください";

// The control marks keys of the extended block, or it would show Insert as "Num 0".
bool is_extended_key(unsigned key) { return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E; }

WORD control_value(const hotkey& key) {
  BYTE flags = 0;
  if (key.modifiers & hotkey_shift) flags |= HOTKEYF_SHIFT;
  if (key.modifiers & hotkey_control) flags |= HOTKEYF_CONTROL;
  if (key.modifiers & hotkey_alt) flags |= HOTKEYF_ALT;
  if (is_extended_key(key.key)) flags |= HOTKEYF_EXT;
  return MAKEWORD(static_cast<BYTE>(key.key), flags);
}

// The control cannot record Win; a stored shortcut with Win stays as it is while the
// rest of it is unchanged.
hotkey chosen_key(HWND dialog) {
  const WORD value = static_cast<WORD>(SendDlgItemMessageW(dialog, IDC_SHORTCUT_KEY, HKM_GETHOTKEY, 0, 0));
  const BYTE flags = HIBYTE(value);
  hotkey key{0, LOBYTE(value)};
  if (flags & HOTKEYF_SHIFT) key.modifiers |= hotkey_shift;
  if (flags & HOTKEYF_CONTROL) key.modifiers |= hotkey_control;
  if (flags & HOTKEYF_ALT) key.modifiers |= hotkey_alt;
  if (key.key == shortcut_key.key && key.modifiers == (shortcut_key.modifiers & ~hotkey_win)) key = shortcut_key;
  return key;
}

bool apply_choice(HWND dialog) {
  const hotkey key = chosen_key(dialog);
  char name[hotkey_name_size];
  if (key.key != 0 && !format_hotkey_name(key, name, sizeof name)) {
    set_window_text_sjis(GetDlgItem(dialog, IDC_SHORTCUT_NOTE), unusable_text);
    return false;
  }
  if (!register_shortcut(key)) {
    char text[128];
    shortcut_taken_text(key, text, sizeof text);
    set_window_text_sjis(GetDlgItem(dialog, IDC_SHORTCUT_NOTE), text);
    return false;
  }
  choose_shortcut_key(key);
  paste_on_choice = IsDlgButtonChecked(dialog, IDC_SHORTCUT_PASTE) == BST_CHECKED ? 1 : 0;
  save_settings();
  return true;
}

INT_PTR CALLBACK shortcut_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessageW(dialog, IDC_SHORTCUT_KEY, HKM_SETHOTKEY, control_value(shortcut_key), 0);
    CheckDlgButton(dialog, IDC_SHORTCUT_PASTE, paste_on_choice == 1 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wparam) == IDOK && apply_choice(dialog)) EndDialog(dialog, IDOK);
  if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
  return TRUE;
}

// The hot-key control's library is loaded on first use, as the open-file dialog's is.
void load_hotkey_control() {
  static HMODULE library = LoadLibraryW(L"comctl32.dll");
  using init_function = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto found = reinterpret_cast<void (*)()>(library != nullptr ? GetProcAddress(library, "InitCommonControlsEx")
                                                                      : nullptr);
  const auto init = reinterpret_cast<init_function>(found);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
  if (init != nullptr) init(&controls);
}

}  // namespace

void open_shortcut_dialog() {
  load_hotkey_control();
  DialogBoxParamW(instance, MAKEINTRESOURCEW(DLG_SHORTCUT), main_window, shortcut_dialog_procedure, 0);
}
