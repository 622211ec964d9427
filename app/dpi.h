// Sizes for the DPI of the monitor a window is on. Windows 10 tells each window's DPI and
// sends WM_DPICHANGED when it moves to a monitor of another one; Windows 8.1 tells each
// monitor's; Windows 7 and 8 have one DPI for the whole desktop, the system's.
#pragma once
#include <windows.h>

constexpr int default_dpi = 96;

int system_dpi();
int dpi_of_window(HWND window);
// A length given for 96 DPI, at dpi.
int scaled(int length_at_96, int dpi);
// A system metric (SM_...) at dpi.
int metric_at(int index, int dpi);

// The system font (what a control draws with when given none), made for dpi. The
// caller deletes it.
HFONT create_system_font(int dpi);

struct font_measures {
  int average_width;  // tmAveCharWidth
  int height;         // tmHeight: also the height of an edit's line
  int base_unit_x;    // dialog base units: the mean width of the Latin letters
  int base_unit_y;
};
font_measures measure_font(HFONT font);

// WM_DPICHANGED: the window goes to the rectangle the system suggests for the new DPI.
void move_to_suggested(HWND window, LPARAM suggested);
inline int dpi_from_message(WPARAM wparam) { return HIWORD(wparam); }
