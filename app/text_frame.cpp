#include "app/text_frame.h"

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/window_places.h"

namespace {

constexpr int text_edit_id = 1;
// The kind a frame's place is remembered by, a string that lives as long as the program.
const char kind_property[] = "dovane_clip_kind";

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
    case WM_EXITSIZEMOVE:
      if (const auto* kind = static_cast<const char*>(GetPropA(frame, kind_property)))
        remember_text_frame_place(kind, frame);
      return 0;
    case WM_DESTROY: RemovePropA(frame, kind_property); return 0;
    default: return DefWindowProcA(frame, message, wparam, lparam);
  }
}

HWND create_text_frame(const char* class_name, WNDPROC procedure, const char* title, DWORD style,
                       const char* menu_name, const char* kind) {
  register_text_frame_class(class_name, procedure);
  const RECT place = place_for_text_frame(kind);
  HWND frame = CreateWindowExA(0, class_name, title, style | WS_CLIPCHILDREN, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, nullptr,
                               LoadMenuA(instance, menu_name), instance, nullptr);
  if (frame == nullptr) return nullptr;
  SetPropA(frame, kind_property, const_cast<char*>(kind));
  note_text_frame_opened(frame, kind);
  return frame;
}

HWND text_frame_edit(HWND frame) { return GetDlgItem(frame, text_edit_id); }
