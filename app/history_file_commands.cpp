#include "app/history_file_commands.h"

#include <commdlg.h>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "settings/ui_texts.h"

namespace {
// Shows the open-file dialog; true when the user confirmed a file, whose full path is
// then in path (260 bytes, kept by the caller between calls).
bool pick_history_file(HWND owner, char* path) {
  static const char filter[] = "Text Files (*.TXT)\0*.txt\0ASCII Files (*.ASC)\0*.asc\0All Files (*.*)\0*.*\0";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = 260;
  dialog.lpstrTitle = open_dialog_title;
  // OFN_NOCHANGEDIR is documented as ineffective for this dialog: the data folder is
  // made current again once it closes.
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

void restart_view(WPARAM wparam, LPARAM lparam) { SendMessageA(main_window, WM_LBUTTONDOWN, wparam, lparam); }
}  // namespace

void switch_history(const char* view_name, WPARAM wparam, LPARAM lparam) {
  show_history_file(view_name);
  restart_view(wparam, lparam);
}

void open_history_file(WPARAM wparam, LPARAM lparam) {
  // Kept between calls so the dialog starts from the last choice.
  static char picked[file_name_size];
  // The streams stay open while the dialog is up: clips copied meanwhile (a path to
  // paste into it, say) are still appended, in the data folder.
  bool chosen = false;
  {
    const folder_may_move browsing;
    chosen = pick_history_file(main_window, picked);
  }
  reopen_history_file(chosen ? picked : nullptr);
  restart_view(wparam, lparam);
}
