#include "app/text_frame.h"

#include "app/app_state.h"
#include "app/dpi.h"
#include "app/res/resource_ids.h"
#include "app/ui_text.h"
#include "app/window_places.h"

namespace {

constexpr int text_edit_id = 1;
// The kind a frame's place is remembered by, a string that lives as long as the program.
const wchar_t kind_property[] = L"dovane_clip_kind";
// The font made for the frame's DPI, and that DPI.
const wchar_t font_property[] = L"dovane_clip_font";
const wchar_t dpi_property[] = L"dovane_clip_dpi";
// A note is made to show at least this many lines of its text.
constexpr int least_lines = 5;

void register_text_frame_class(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(instance, name, &window_class)) return;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_DOVANE_CLIP));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

int frame_dpi(HWND frame) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(frame, dpi_property))); }

HFONT frame_font(HWND frame) { return static_cast<HFONT>(GetPropW(frame, font_property)); }

void use_dpi(HWND frame, int dpi) {
  HFONT replaced = frame_font(frame);
  HFONT font = create_system_font(dpi);
  SetPropW(frame, font_property, font);
  SetPropW(frame, dpi_property, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
  SendMessageW(text_frame_edit(frame), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (replaced != nullptr) DeleteObject(replaced);
}

int width_of(const RECT& r) { return r.right - r.left; }
int height_of(const RECT& r) { return r.bottom - r.top; }

// The size that shows the frame's menu bar on one line, and under it its least lines of
// text and the scroll bar; the frame is given that width on the way, so that the menu
// bar's height is measured as it then comes out.
SIZE least_size(HWND frame) {
  const int dpi = frame_dpi(frame);
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  int menu_width = 0;
  HMENU menu = GetMenu(frame);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    RECT item;
    if (GetMenuItemRect(frame, menu, static_cast<UINT>(i), &item)) menu_width += width_of(item);
  }
  const int width = width_of(window) - client.right + menu_width + scaled(8, dpi);
  SetWindowPos(frame, nullptr, 0, 0, width, height_of(window), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  const int text_height =
      least_lines * measure_font(frame_font(frame)).height + metric_at(SM_CYHSCROLL, dpi) + scaled(4, dpi);
  return {width, height_of(window) - client.bottom + text_height};
}

}  // namespace

LRESULT CALLBACK text_frame_procedure(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowExW(0, L"edit", L"",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                      0, 0, 0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(text_edit_id)), instance,
                      nullptr);
      use_dpi(frame, dpi_of_window(frame));
      return 0;
    case WM_SIZE: MoveWindow(text_frame_edit(frame), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(text_frame_edit(frame)); return 0;
    case WM_DPICHANGED:
      use_dpi(frame, dpi_from_message(wparam));
      move_to_suggested(frame, lparam);
      return 0;
    case WM_EXITSIZEMOVE:
      if (const auto* kind = static_cast<const char*>(GetPropW(frame, kind_property)))
        remember_text_frame_place(kind, frame, frame_dpi(frame));
      return 0;
    case WM_DESTROY:
      RemovePropW(frame, kind_property);
      DeleteObject(frame_font(frame));
      RemovePropW(frame, font_property);
      RemovePropW(frame, dpi_property);
      return 0;
    default: return DefWindowProcW(frame, message, wparam, lparam);
  }
}

HWND create_text_frame(const char* class_name, WNDPROC procedure, const char* title, DWORD style,
                       const char* menu_name, const char* kind) {
  const std::wstring wide_class = wide_from_sjis(class_name);
  register_text_frame_class(wide_class.c_str(), procedure);
  // Made hidden where it will go, which tells its DPI; its size then follows from how its
  // menu and its text come out at that DPI.
  const RECT first = place_for_text_frame(kind, SIZE{0, 0});
  HWND frame = CreateWindowExW(0, wide_class.c_str(), wide_from_sjis(title).c_str(), (style & ~WS_VISIBLE) | WS_CLIPCHILDREN, first.left, first.top,
                               first.right - first.left, first.bottom - first.top, nullptr,
                               LoadMenuW(instance, wide_from_sjis(menu_name).c_str()), instance, nullptr);
  if (frame == nullptr) return nullptr;
  SetPropW(frame, kind_property, const_cast<char*>(kind));
  const RECT place = place_for_text_frame(kind, least_size(frame));
  SetWindowPos(frame, nullptr, place.left, place.top, width_of(place), height_of(place),
               SWP_NOZORDER | SWP_NOACTIVATE);
  note_text_frame_opened(frame, kind);
  if ((style & WS_VISIBLE) != 0) ShowWindow(frame, SW_SHOW);
  return frame;
}

HWND text_frame_edit(HWND frame) { return GetDlgItem(frame, text_edit_id); }
