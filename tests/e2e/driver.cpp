// Drives the running program from outside, as another program on the desktop would:
//   driver wait          waits until the main window exists
//   driver close         sends WM_CLOSE to the main window
//   driver command ID    sends WM_COMMAND ID to the main window
//   driver show          shows the main window (its "開く" command)
//   driver private TEXT  puts TEXT on the clipboard marked as not for clipboard history,
//                        as a password manager does
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND find_main_window() { return FindWindowA("dovane_clip", nullptr); }

HGLOBAL global_copy(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
  }
  return memory;
}

// The clipboard needs a window as its owner, or SetClipboardData refuses the data.
int put_private_text(const char* text) {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (owner == nullptr || !OpenClipboard(owner)) return 1;
  EmptyClipboard();
  const DWORD marker = 0;
  const bool put = SetClipboardData(CF_TEXT, global_copy(text, std::strlen(text) + 1)) != nullptr &&
                   SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
                                    global_copy(&marker, sizeof marker)) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}

int wait_for_main_window() {
  for (int i = 0; i < 300; ++i) {
    if (find_main_window() != nullptr) return 0;
    Sleep(100);
  }
  std::fprintf(stderr, "main window not found\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::strcmp(argv[1], "wait") == 0) return wait_for_main_window();
  if (std::strcmp(argv[1], "private") == 0 && argc > 2) return put_private_text(argv[2]);
  HWND main_window = find_main_window();
  if (main_window == nullptr) return 1;
  if (std::strcmp(argv[1], "close") == 0) return PostMessageA(main_window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "show") == 0) return PostMessageA(main_window, WM_COMMAND, 40043, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "command") == 0 && argc > 2)
    return PostMessageA(main_window, WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : 1;
  return 2;
}
