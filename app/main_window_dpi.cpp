#include "app/main_window_dpi.h"

#include <algorithm>
#include <initializer_list>

#include "app/app_state.h"
#include "app/dpi.h"
#include "app/main_window.h"

void use_main_window_dpi(int dpi) {
  main_dpi = dpi;
  scroll_bar_height = metric_at(SM_CYHSCROLL, dpi);
  HFONT replaced = child_font;
  child_font = create_system_font(dpi);
  // The status line's font is made from the size of the font the window would draw with.
  const font_measures measures = measure_font(child_font);
  char_width = measures.average_width;
  char_height = measures.height;
  base_unit_x = measures.base_unit_x;
  base_unit_y = measures.base_unit_y;
  replace_view_font(width_zoom, height_zoom);
  give_children_font();
  if (replaced != nullptr) DeleteObject(replaced);
}

void give_children_font() {
  for (HWND child : {reset_button, start_button, end_button, clip_edit, search_edit})
    if (child != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(child_font), TRUE);
}

void on_main_window_dpi_changed(WPARAM wparam, LPARAM lparam) {
  use_main_window_dpi(dpi_from_message(wparam));
  move_to_suggested(main_window, lparam);
  // A suggested rectangle of the same size brings no WM_SIZE, and the layout is new.
  RECT client;
  GetClientRect(main_window, &client);
  SendMessageW(main_window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  InvalidateRect(main_window, nullptr, TRUE);
}

SIZE main_window_opened_size() {
  SIZE size{scaled(560, main_dpi), scaled(420, main_dpi)};
  // A small screen at a high DPI has less room than that.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(main_window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    size.cx = std::min<LONG>(size.cx, monitor.rcWork.right - monitor.rcWork.left);
    size.cy = std::min<LONG>(size.cy, monitor.rcWork.bottom - monitor.rcWork.top);
  }
  return size;
}
