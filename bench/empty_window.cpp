// The yardstick for start-up: a Win32 program that creates one hidden window, answers
// messages and ends when asked, and does nothing else.
#include <windows.h>

namespace {
LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = module;
  window_class.lpszClassName = "dovane_empty";
  RegisterClassA(&window_class);
  CreateWindowExA(0, "dovane_empty", "empty", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, module, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
