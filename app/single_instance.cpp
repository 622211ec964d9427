#include "app/single_instance.h"

#include <cstdint>
#include <cwchar>
#include <vector>

#include "app/res/resource_ids.h"

namespace {
constexpr DWORD answer_wait_ms = 2000;

struct search {
  const wchar_t* class_name;
  LRESULT key;
  HWND found;
};

BOOL CALLBACK ask_window(HWND window, LPARAM lparam) {
  search& wanted = *reinterpret_cast<search*>(lparam);
  wchar_t window_class[32];
  if (GetClassNameW(window, window_class, 32) <= 0 || lstrcmpW(window_class, wanted.class_name) != 0) return TRUE;
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, folder_key_message(), 0, 0, SMTO_ABORTIFHUNG, answer_wait_ms, &answer) &&
      static_cast<LRESULT>(answer) == wanted.key) {
    wanted.found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

UINT folder_key_message() {
  static const UINT message = RegisterWindowMessageW(L"dovane_clip data folder key");
  return message;
}

LRESULT data_folder_key() {
  // The wide path, so that folders whose names no code page holds get keys of their own.
  std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  if (length == 0 || length >= folder.size()) folder[0] = L'\0';
  // FNV-1a over the UTF-16 units; only ASCII letters change case.
  std::uint32_t hash = 2166136261u;
  for (const wchar_t* c = folder.data(); *c != L'\0'; ++c) {
    unsigned int unit = *c;
    if (unit >= 'A' && unit <= 'Z') unit = unit - 'A' + 'a';
    if (unit == '/') unit = '\\';
    hash = (hash ^ (unit & 0xFF)) * 16777619u;
    hash = (hash ^ (unit >> 8)) * 16777619u;
  }
  // Kept positive and non-zero, so no answer of a window that ignores the message matches.
  return static_cast<LRESULT>((hash & 0x7FFFFFFFu) | 1u);
}

HWND running_instance_here(const wchar_t* class_name) {
  search wanted{class_name, data_folder_key(), nullptr};
  EnumWindows(ask_window, reinterpret_cast<LPARAM>(&wanted));
  return wanted.found;
}

bool hand_over_to_running_instance(const wchar_t* class_name) {
  wchar_t name[64];
  std::swprintf(name, 64, L"dovane_clip data folder %08lx", static_cast<unsigned long>(data_folder_key()));
  // Held for the life of the process; the system releases it at exit.
  CreateMutexW(nullptr, FALSE, name);
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (HWND running = running_instance_here(class_name)) {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(running, WM_COMMAND, CMD_OPEN_WINDOW, 0);
  }
  return true;
}
