// The shell's process-wide state: the main window, its children, metrics and menus.
#pragma once
#include <windows.h>

extern HWND main_window;
extern HINSTANCE instance;
extern HWND next_viewer;
// The DPI the main window is laid out for; the metrics and fonts below are for it.
extern int main_dpi;
extern int scroll_bar_height;
extern int char_width, char_height;
extern int base_unit_x, base_unit_y;
extern int width_zoom, height_zoom;
extern HFONT view_font;
// What the buttons and edits of the main window draw with.
extern HFONT child_font;
extern HBRUSH caption_brush;
extern int capture_timer_on;
extern HMENU popup_menu;

// The edits holding the affix texts while their windows are open; each fills a frame
// named after its affix.
extern HWND start_window, end_window;
extern int start_state;  // -1 while the start affix window is closed, 1 while open
extern int end_state;
extern HWND reset_button, start_button, end_button, clip_edit, search_edit, scroll_bar;

extern HMENU menu_bar, clip_menu, history_menu, recycle_menu, drawer_menu, ring_menu, genre_menu,
    control_menu;
extern HMENU drawer_menus[10];

constexpr UINT tray_callback_message = WM_USER + 1;  // 1025
constexpr UINT_PTR capture_timer_id = 1;
constexpr UINT_PTR capture_retry_timer_id = 3;  // 2 is the paste target's
