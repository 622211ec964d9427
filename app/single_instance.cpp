#include "app/single_instance.h"

#include <cstdint>
#include <cstdio>

#include "app/res/resource_ids.h"
#include "text/sjis.h"

namespace {
constexpr DWORD answer_wait_ms = 2000;

struct search {
  const char* class_name;
  LRESULT key;
  HWND found;
};

BOOL CALLBACK ask_window(HWND window, LPARAM lparam) {
  search& wanted = *reinterpret_cast<search*>(lparam);
  char window_class[32];
  if (GetClassNameA(window, window_class, sizeof window_class) <= 0 || lstrcmpA(window_class, wanted.class_name) != 0)
    return TRUE;
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, folder_key_message(), 0, 0, SMTO_ABORTIFHUNG, answer_wait_ms, &answer) &&
      static_cast<LRESULT>(answer) == wanted.key) {
    wanted.found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

UINT folder_key_message() {
  static const UINT message = RegisterWindowMessageA("dovane_clip data folder key");
  return message;
}

LRESULT data_folder_key() {
  char folder[MAX_PATH * 4];
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) folder[0] = '\0';
  // FNV-1a; only single-byte letters change case, never a trail byte.
  std::uint32_t hash = 2166136261u;
  for (const char* c = folder; *c != '\0';) {
    const std::size_t width = sjis_char_length(c);
    for (std::size_t k = 0; k < width; ++k, ++c) {
      unsigned char byte = static_cast<unsigned char>(*c);
      if (width == 1 && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
      if (width == 1 && byte == '/') byte = '\\';
      hash = (hash ^ byte) * 16777619u;
    }
  }
  // Kept positive and non-zero, so no answer of a window that ignores the message matches.
  return static_cast<LRESULT>((hash & 0x7FFFFFFFu) | 1u);
}

HWND running_instance_here(const char* class_name) {
  search wanted{class_name, data_folder_key(), nullptr};
  EnumWindows(ask_window, reinterpret_cast<LPARAM>(&wanted));
  return wanted.found;
}

bool hand_over_to_running_instance(const char* class_name) {
  char name[64];
  std::snprintf(name, sizeof name, "dovane_clip data folder %08lx", static_cast<unsigned long>(data_folder_key()));
  // Held for the life of the process; the system releases it at exit.
  CreateMutexA(nullptr, FALSE, name);
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (HWND running = running_instance_here(class_name)) {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    PostMessageA(running, WM_COMMAND, CMD_OPEN_WINDOW, 0);
  }
  return true;
}
