#include "app/clip_list_keys.h"

#include "app/app_state.h"
#include "app/clip_list.h"

namespace {

HHOOK keyboard_hook = nullptr;
HHOOK mouse_hook = nullptr;
UINT held_shortcut_key = 0;

bool is_modifier(UINT vk) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN: return true;
    default: return false;
  }
}

LRESULT CALLBACK on_key(int code, WPARAM message, LPARAM data) {
  if (code != HC_ACTION) return CallNextHookEx(nullptr, code, message, data);
  const UINT vk = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode;
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (!down) {
    if (vk == held_shortcut_key) held_shortcut_key = 0;
  } else if (vk == held_shortcut_key) {
    return 1;
  } else if (!is_modifier(vk)) {
    if (clip_list_takes(vk)) {
      post_list_key(vk);
      return 1;
    }
    post_list_close();
  }
  return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK on_mouse(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION &&
      (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
       message == WM_XBUTTONDOWN || message == WM_NCLBUTTONDOWN) &&
      !on_clip_list(reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt))
    post_list_close();
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

bool start_list_keys(UINT shortcut_vk) {
  stop_list_keys();
  held_shortcut_key = (GetAsyncKeyState(static_cast<int>(shortcut_vk)) & 0x8000) != 0 ? shortcut_vk : 0;
  keyboard_hook = SetWindowsHookExW(WH_KEYBOARD_LL, on_key, instance, 0);
  mouse_hook = SetWindowsHookExW(WH_MOUSE_LL, on_mouse, instance, 0);
  return keyboard_hook != nullptr;
}

void stop_list_keys() {
  if (keyboard_hook != nullptr) UnhookWindowsHookEx(keyboard_hook);
  if (mouse_hook != nullptr) UnhookWindowsHookEx(mouse_hook);
  keyboard_hook = nullptr;
  mouse_hook = nullptr;
}
