#include "app/message_route.h"

#include "app/app_state.h"
#include "app/child_windows.h"

namespace {
bool is_edit_control(HWND window) {
  wchar_t window_class[16];
  return window != nullptr && GetClassNameW(window, window_class, 16) > 0 && lstrcmpiW(window_class, L"Edit") == 0;
}

bool is_down(int key) { return GetKeyState(key) < 0; }
}  // namespace

bool is_editing_key_for_edit(const MSG& message) {
  if (message.message != WM_KEYDOWN || !is_edit_control(message.hwnd)) return false;
  if (message.wParam == VK_DELETE) return true;
  if (!is_down(VK_CONTROL) || is_down(VK_MENU)) return false;
  switch (message.wParam) {
    case 'C':
    case 'X':
    case 'V':
    case 'A':
    case 'Z': return true;
    default: return false;
  }
}

void route_message(MSG& message, HACCEL accelerators) {
  if (is_editing_key_for_edit(message)) {
    // Not every edit control selects all on Ctrl+A; doing it here also keeps the key
    // from reaching the edit as a control character.
    if (message.wParam == 'A') {
      SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
      return;
    }
  } else if ((message.hwnd == nullptr || takes_main_window_keys(message.hwnd)) &&
             TranslateAcceleratorW(main_window, accelerators, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}
