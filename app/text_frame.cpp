#include "app/text_frame.h"

#include "app/app_state.h"
#include "app/res/resource_ids.h"

namespace {

constexpr int text_edit_id = 1;

void register_text_frame_class(const char* name, WNDPROC procedure) {
  WNDCLASSA window_class{};
  if (GetClassInfoA(instance, name, &window_class)) return;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DOVANE_CLIP));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
}

}  // namespace

LRESULT CALLBACK text_frame_procedure(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowExA(0, "edit", "",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                      0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(text_edit_id)), instance,
                      nullptr);
      return 0;
    case WM_SIZE: MoveWindow(text_frame_edit(frame), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(text_frame_edit(frame)); return 0;
    default: return DefWindowProcA(frame, message, wparam, lparam);
  }
}

HWND create_text_frame(const char* class_name, WNDPROC procedure, const char* title, DWORD style,
                       const char* menu_name) {
  register_text_frame_class(class_name, procedure);
  return CreateWindowExA(0, class_name, title, style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, LoadMenuA(instance, menu_name), instance, nullptr);
}

HWND text_frame_edit(HWND frame) { return GetDlgItem(frame, text_edit_id); }
