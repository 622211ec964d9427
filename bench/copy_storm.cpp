// Copies as a busy Win32 program does: `copy_storm COUNT INTERVAL_MS` puts COUNT texts
// ("storm 1" ...) on the clipboard, INTERVAL_MS apart, each with its own open and close.
// `copy_storm close CLASS` asks the window of that class to close, as the benchmarks end
// the programs they started.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A program that copies has a message loop: it runs on while the program waits.
void wait_pumping(DWORD interval) {
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; waited < interval; waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, interval - waited, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  if (std::strcmp(argv[1], "close") == 0) {
    HWND window = FindWindowA(argv[2], nullptr);
    return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  const int count = std::atoi(argv[1]);
  const DWORD interval = static_cast<DWORD>(std::atoi(argv[2]));
  HWND owner = CreateWindowExA(0, "STATIC", "copy storm", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  timeBeginPeriod(1);
  int copied = 0;
  for (int n = 1; n <= count; ++n) {
    char text[32];
    const int length = std::snprintf(text, sizeof text, "storm %d", n);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) + 1);
    std::memcpy(GlobalLock(memory), text, static_cast<std::size_t>(length) + 1);
    GlobalUnlock(memory);
    if (OpenClipboard(owner)) {
      EmptyClipboard();
      if (SetClipboardData(CF_TEXT, memory) != nullptr) ++copied; else GlobalFree(memory);
      CloseClipboard();
    } else {
      GlobalFree(memory);
    }
    wait_pumping(interval);
  }
  timeEndPeriod(1);
  std::printf("%d\n", copied);
  return 0;
}
