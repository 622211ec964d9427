#include "app/app_state.h"

HWND main_window;
HINSTANCE instance;
HWND next_viewer;
int main_dpi = 96;
int scroll_bar_height;
int char_width, char_height;
int base_unit_x, base_unit_y;
int width_zoom = 100, height_zoom = 100;
HFONT view_font;
HFONT child_font;
HBRUSH caption_brush;
int capture_timer_on;
HMENU popup_menu;

HWND start_window, end_window;
int start_state = -1;
int end_state = -1;
HWND reset_button, start_button, end_button, clip_edit, search_edit, scroll_bar;

HMENU menu_bar, clip_menu, history_menu, recycle_menu, drawer_menu, ring_menu, genre_menu, control_menu;
HMENU drawer_menus[10];
