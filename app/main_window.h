// The main window procedure: one short handler per message, dispatched by a flat switch.
#pragma once
#include <windows.h>

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

void run_create_sequence(HWND window);
// Runs once, whether from WM_DESTROY or from the end command.
void run_shutdown_sequence();
void on_command(WPARAM wparam, LPARAM lparam);
// A menu choice reported by menu and position (the drawer and genre menus report so).
void on_menu_command(WPARAM position, LPARAM menu);
// Makes view_font anew at the given zoom, releasing the font it replaces.
void replace_view_font(int width_percent, int height_percent);
