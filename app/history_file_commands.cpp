#include "app/history_file_commands.h"

#include <commdlg.h>

#include "app/app_state.h"
#include "app/data_folder.h"
#include "app/status_note.h"
#include "app/ui_text.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "settings/ui_texts.h"

namespace {
const char unusable_path_note[] = "Shift_JIS で表せない名前のファイルは開けません";

// Shows the open-file dialog; true when the user confirmed a file, whose full path is
// then in path (file_name_size units, kept by the caller between calls).
bool pick_history_file(HWND owner, wchar_t* path) {
  static const wchar_t filter[] =
      L"Text Files (*.TXT)\0*.txt\0ASCII Files (*.ASC)\0*.asc\0All Files (*.*)\0*.*\0";
  static const std::wstring title = wide_from_sjis(open_dialog_title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = file_name_size;
  dialog.lpstrTitle = title.c_str();
  // OFN_NOCHANGEDIR is documented as ineffective for this dialog: the data folder is
  // made current again once it closes.
  dialog.Flags = OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
  dialog.lpstrDefExt = L"txt";
  // The dialog's library is loaded on first use: linked in, it costs every start-up
  // about a third more time, for a dialog most runs never open.
  static HMODULE library = LoadLibraryW(L"comdlg32.dll");
  using open_file_function = BOOL(WINAPI*)(OPENFILENAMEW*);
  // Through the generic function type, the one a found procedure may be cast from freely.
  const auto found = reinterpret_cast<void (*)()>(library != nullptr ? GetProcAddress(library, "GetOpenFileNameW")
                                                                      : nullptr);
  const auto open_file = reinterpret_cast<open_file_function>(found);
  return open_file != nullptr && open_file(&dialog) != 0;
}

void restart_view(WPARAM wparam, LPARAM lparam) { SendMessageW(main_window, WM_LBUTTONDOWN, wparam, lparam); }
}  // namespace

void switch_history(const char* view_name, WPARAM wparam, LPARAM lparam) {
  show_history_file(view_name);
  restart_view(wparam, lparam);
}

void open_history_file(WPARAM wparam, LPARAM lparam) {
  // Kept between calls so the dialog starts from the last choice.
  static wchar_t picked[file_name_size];
  // The streams stay open while the dialog is up: clips copied meanwhile (a path to
  // paste into it, say) are still appended, in the data folder.
  bool chosen = false;
  {
    const folder_may_move browsing;
    chosen = pick_history_file(main_window, picked);
  }
  // File names are kept as Shift_JIS; a path it cannot hold would name another file.
  size_t unmappable = 0;
  const std::string path = chosen ? sjis_from_wide(picked, &unmappable) : std::string();
  if (unmappable > 0) {
    set_status_note(unusable_path_note);
    chosen = false;
  }
  reopen_history_file(chosen ? path.c_str() : nullptr);
  restart_view(wparam, lparam);
}
