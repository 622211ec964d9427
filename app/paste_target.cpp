#include "app/paste_target.h"

#include <cwchar>
#include <initializer_list>

#include "app/app_state.h"
#include "app/tray_icon.h"

namespace {

const char paste_failed_text[] = "貼り付けできませんでした。Ctrl+V で貼り付けてください";
constexpr UINT_PTR foreground_timer_id = 2;
constexpr UINT foreground_poll_ms = 200;
constexpr DWORD foreground_wait_ms = 500;
constexpr DWORD modifier_wait_ms = 1000;
// A window manager may still move the focus just after a window of ours went away (its
// own choice of the next window); the target must keep the foreground this long.
constexpr DWORD foreground_settle_ms = 80;
constexpr int foreground_tries = 3;
// A key code no layout assigns: pressed between Alt's press and release, it keeps the
// release from opening the target's menu bar.
constexpr WORD neutral_key = 0xE8;

// The last outside window, with its focus and selection as they were while it was the
// foreground: once the user reaches for our icon it has neither any more.
paste_target last_outside{};

bool has_class(HWND window, const wchar_t* name) {
  wchar_t found[64];
  return GetClassNameW(window, found, 64) > 0 && lstrcmpW(found, name) == 0;
}

bool is_down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

bool any_modifier_down() {
  return is_down(VK_CONTROL) || is_down(VK_SHIFT) || is_down(VK_MENU) || is_down(VK_LWIN) || is_down(VK_RWIN);
}

// Polls condition until it holds or limit_ms have passed.
template <typename condition_type>
bool wait_until(DWORD limit_ms, condition_type condition) {
  const ULONGLONG end = GetTickCount64() + limit_ms;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(1);
  }
  return true;
}

// The mandatory integrity level of a process's token; false when it cannot be read.
bool integrity_level(HANDLE process, DWORD& level) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
  alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[128];
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size) != 0;
  CloseHandle(token);
  if (!read) return false;
  PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
  level = *GetSidSubAuthority(sid, static_cast<DWORD>(*GetSidSubAuthorityCount(sid) - 1));
  return true;
}

// Windows drops keys sent to a process whose integrity level is above ours. A level we
// may not even read is taken as above ours.
bool runs_above_us(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == GetCurrentProcessId()) return false;
  DWORD ours = 0;
  if (!integrity_level(GetCurrentProcess(), ours)) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (process == nullptr) return true;
  DWORD theirs = 0;
  const bool read = integrity_level(process, theirs);
  CloseHandle(process);
  return !read || theirs > ours;
}

void add_key(INPUT* inputs, int& count, WORD key, bool up) {
  INPUT& input = inputs[count++];
  input = INPUT{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  const bool extended = key == VK_INSERT || key == VK_RCONTROL || key == VK_LWIN || key == VK_RWIN;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
}

// Consoles paste on Shift+Insert; every other window on Ctrl+V. Modifiers the user still
// holds after the wait are let go first, or the target would see another shortcut.
bool send_paste_keys(HWND target) {
  INPUT inputs[16];
  int count = 0;
  if (is_down(VK_MENU) || is_down(VK_LWIN) || is_down(VK_RWIN)) {
    add_key(inputs, count, neutral_key, false);
    add_key(inputs, count, neutral_key, true);
  }
  for (WORD held : {VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN, VK_RCONTROL})
    if (is_down(held)) add_key(inputs, count, held, true);
  const bool console = has_class(target, L"ConsoleWindowClass") || has_class(target, L"CASCADIA_HOSTING_WINDOW_CLASS");
  const WORD modifier = console ? VK_SHIFT : VK_LCONTROL;
  const WORD key = console ? VK_INSERT : 'V';
  add_key(inputs, count, modifier, false);
  add_key(inputs, count, key, false);
  add_key(inputs, count, key, true);
  add_key(inputs, count, modifier, true);
  return SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT)) == static_cast<UINT>(count);
}

HWND focus_of(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread != 0 && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Activation alone need not give the focus back to the control the user typed in.
void restore_focus(const paste_target& target) {
  if (target.focus == nullptr || !IsWindow(target.focus) || focus_of(target.window) == target.focus) return;
  const DWORD thread = GetWindowThreadProcessId(target.window, nullptr);
  AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
  SetFocus(target.focus);
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

bool is_edit(HWND window) {
  wchar_t found[64];
  if (GetClassNameW(window, found, 64) <= 0) return false;
  CharUpperW(found);
  return wcsncmp(found, L"EDIT", 4) == 0 || wcsstr(found, L"RICHEDIT") != nullptr;
}

// The edit's selection through the system's own marshalling of EM_GETSEL, with a limit,
// as the target may hang; false when it did not answer.
bool read_selection(HWND edit, DWORD& start, DWORD& end) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end),
                             SMTO_ABORTIFHUNG, 100, &answer) != 0;
}

// A dialog activated again selects the whole of the edit it focuses; what the user had
// selected, or where their caret stood, comes back before the paste.
void restore_selection(const paste_target& target) {
  if (!target.has_selection || !IsWindow(target.focus)) return;
  wait_until(foreground_wait_ms, [&] { return focus_of(target.window) == target.focus; });
  for (int look = 0; look < 2; ++look) {
    DWORD start = 0, end = 0;
    if (!read_selection(target.focus, start, end)) return;
    if (start != target.selection_start || end != target.selection_end) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(target.focus, EM_SETSEL, target.selection_start, target.selection_end, SMTO_ABORTIFHUNG, 200,
                          &answer);
    }
    // The dialog's own selection can follow the focus by a message; a second look
    // catches it.
    Sleep(look == 0 ? 10 : 0);
  }
}

// The target is told of its activation by messages; one sent after them comes back once
// it has handled them, and only then does a focus or selection set here stay.
void wait_for_activation(HWND window) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, foreground_wait_ms, &answer);
}

void come_back(const paste_target& target) {
  wait_for_activation(target.window);
  restore_focus(target);
  restore_selection(target);
}

// Makes target the foreground with its focus and selection, and sees that it stays so.
bool bring_back(const paste_target& target) {
  const auto is_foreground = [&] { return GetForegroundWindow() == target.window; };
  for (int tries = 0; tries < foreground_tries; ++tries) {
    SetForegroundWindow(target.window);
    if (!wait_until(foreground_wait_ms, is_foreground)) continue;
    come_back(target);
    if (!wait_until(foreground_settle_ms, [&] { return !is_foreground(); })) return true;
  }
  return false;
}

bool is_outside_window(HWND window) {
  if (window == nullptr || window == GetDesktopWindow()) return false;
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return process_id != GetCurrentProcessId() && !has_class(window, L"Shell_TrayWnd");
}

void CALLBACK poll_foreground(HWND, UINT, UINT_PTR, DWORD) {
  HWND foreground = GetForegroundWindow();
  if (is_outside_window(foreground)) last_outside = note_target_of(foreground);
}

}  // namespace

paste_target note_paste_target() { return note_target_of(GetForegroundWindow()); }

paste_target note_target_of(HWND window) {
  paste_target target{window, nullptr, false, RECT{}, false, 0, 0};
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = target.window != nullptr ? GetWindowThreadProcessId(target.window, nullptr) : 0;
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return target;
  target.focus = info.hwndFocus;
  if (info.hwndCaret != nullptr) {
    target.caret = info.rcCaret;
    MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&target.caret), 2);
    target.has_caret = true;
  }
  if (target.focus != nullptr && is_edit(target.focus))
    target.has_selection = read_selection(target.focus, target.selection_start, target.selection_end);
  return target;
}

POINT menu_point_for(const paste_target& target) {
  POINT point{target.caret.left, target.caret.bottom};
  if (!target.has_caret) GetCursorPos(&point);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    point.x = point.x < work.left ? work.left : point.x >= work.right ? work.right - 1 : point.x;
    point.y = point.y < work.top ? work.top : point.y >= work.bottom ? work.bottom - 1 : point.y;
  }
  return point;
}

bool paste_into(const paste_target& target) {
  if (target.window == nullptr || !IsWindow(target.window) || runs_above_us(target.window)) {
    tray_icon.show_balloon(paste_failed_text, true);
    return false;
  }
  if (!bring_back(target)) {
    tray_icon.show_balloon(paste_failed_text, true);
    return false;
  }
  wait_until(modifier_wait_ms, [] { return !any_modifier_down(); });
  if (send_paste_keys(target.window)) return true;
  tray_icon.show_balloon(paste_failed_text, true);
  return false;
}

void return_to(const paste_target& target) {
  if (target.window == nullptr || !IsWindow(target.window)) return;
  bring_back(target);
}

bool paste_in_place(const paste_target& target) {
  wait_until(modifier_wait_ms, [] { return !any_modifier_down(); });
  const bool sent = target.window != nullptr && IsWindow(target.window) && !runs_above_us(target.window) &&
                    GetForegroundWindow() == target.window && send_paste_keys(target.window);
  if (!sent) tray_icon.show_balloon(paste_failed_text, true);
  return sent;
}

void take_foreground(const paste_target& target, HWND window) {
  const DWORD ours = GetCurrentThreadId();
  const DWORD theirs = target.window != nullptr ? GetWindowThreadProcessId(target.window, nullptr) : 0;
  const bool attached = theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, TRUE);
  SetForegroundWindow(window);
  if (attached) AttachThreadInput(ours, theirs, FALSE);
  // Once the threads are apart again, the foreground must be asked for once more, or
  // it is left with no window and typed keys reach nothing.
  SetForegroundWindow(window);
}

void start_watching_foreground() { SetTimer(main_window, foreground_timer_id, foreground_poll_ms, poll_foreground); }

paste_target last_outside_target() {
  // A foreground seen since the last poll counts, so what it has now is noted.
  poll_foreground(nullptr, 0, 0, 0);
  // A paste of ours since the last poll moved the caret; the edit keeps its selection
  // while inactive, so it is read again now.
  if (last_outside.has_selection && IsWindow(last_outside.focus))
    read_selection(last_outside.focus, last_outside.selection_start, last_outside.selection_end);
  return last_outside;
}
