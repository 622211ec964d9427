#include "app/link_tag_dialog.h"

#include "app/app_state.h"
#include "app/ui_text.h"
#include "history/link_tag.h"

namespace {

constexpr UINT_PTR close_timer_id = 1;
constexpr UINT close_after_ms = 1000;

HWND find_static_child(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t window_class[16];
    if (GetClassNameW(child, window_class, 16) > 0 && lstrcmpiW(window_class, L"Static") == 0)
      return child;
  }
  return nullptr;
}

HWND notice = nullptr;

// lparam of WM_INITDIALOG is 1 when the tag line reached the file. The notice shows over
// the program the user copies in, which keeps the focus and the keys.
INT_PTR CALLBACK link_tag_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(dialog, close_timer_id, close_after_ms, nullptr);
      if (lparam == 0) set_window_text_sjis(find_static_child(dialog), "保存できませんでした");
      return FALSE;
    case WM_MOUSEACTIVATE:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, MA_NOACTIVATE);
      return TRUE;
    case WM_TIMER:
      KillTimer(dialog, close_timer_id);
      DestroyWindow(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDOK && LOWORD(wparam) != IDCANCEL) return FALSE;
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      if (notice == dialog) notice = nullptr;
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

void make_and_confirm_link_tag() {
  const bool saved = make_link_tag(main_window);
  if (notice != nullptr) DestroyWindow(notice);
  notice = CreateDialogParamW(instance, L"TAGLINK", main_window, link_tag_dialog_procedure, saved ? 1 : 0);
  if (notice == nullptr) return;
  SetWindowLongPtrW(notice, GWL_EXSTYLE, GetWindowLongPtrW(notice, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  SetWindowPos(notice, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
