// The yardstick for a capture: a Win32 clipboard viewer that appends each text copied,
// as CF_TEXT and followed by the record separator, to _clip.txt in its current folder,
// and does nothing else. It ends on WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
HWND next_viewer = nullptr;

void append_clipboard_text(HWND window) {
  if (!OpenClipboard(window)) return;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (text != nullptr) {
    // A text without its terminator ends where its block ends.
    const std::size_t length = strnlen(text, GlobalSize(data));
    if (std::FILE* file = std::fopen("_clip.txt", "ab")) {
      std::fwrite(text, 1, length, file);
      std::fwrite("\a\r\n", 1, 3, file);
      std::fclose(file);
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      append_clipboard_text(window);
      if (next_viewer != nullptr) SendMessageA(next_viewer, message, wparam, lparam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wparam) == next_viewer)
        next_viewer = reinterpret_cast<HWND>(lparam);
      else if (next_viewer != nullptr)
        SendMessageA(next_viewer, message, wparam, lparam);
      return 0;
    case WM_DESTROY:
      ChangeClipboardChain(window, next_viewer);
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module;
  window_class.lpszClassName = "dovane_bare_viewer";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "dovane_bare_viewer", "bare viewer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, module, nullptr);
  // Joining the chain sends the first WM_DRAWCLIPBOARD at once: what is on the
  // clipboard already is not one of the copies timed.
  next_viewer = SetClipboardViewer(window);
  std::FILE* file = std::fopen("_clip.txt", "wb");
  if (file != nullptr) std::fclose(file);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
