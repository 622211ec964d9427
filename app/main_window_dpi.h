// The main window's sizes for the DPI of its monitor: the metrics its layout is made of
// and the fonts it draws with, made again when it moves to a monitor of another DPI.
#pragma once
#include <windows.h>

// Sets main_dpi, the metrics and both fonts for dpi, and gives the children the font.
void use_main_window_dpi(int dpi);
// Gives the buttons and edits the font made for the main window's DPI.
void give_children_font();
// WM_DPICHANGED: new metrics and fonts, the suggested place, the layout made anew.
void on_main_window_dpi_changed(WPARAM wparam, LPARAM lparam);
// The size the main window gets the first time it is opened, within its work area.
SIZE main_window_opened_size();
