// The main window procedure: one short handler per message, dispatched by a flat switch.
#pragma once
#include <windows.h>

#include <cstddef>

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

void run_create_sequence(HWND window);
// Runs once, whether from WM_DESTROY or from the end command.
void run_shutdown_sequence();
void on_command(WPARAM wparam, LPARAM lparam);
// A menu choice reported by its holding menu and position.
void on_menu_command(WPARAM position, LPARAM menu);
// An item of menu chosen from a copy made earlier: the record or genre it carried then,
// else its identifier, decides what it does, whatever the menu holds now.
void run_menu_entry(HMENU menu, UINT id, int number);
// Puts history record number back as its history-menu entry does.
void choose_history_record(int number);
// Puts back a clip found in a backup as a history choice would.
void choose_backup_clip(const char* text);
// Shows the main window, with room for the clip the first time.
void show_main_window();
// Makes view_font anew at the given zoom, releasing the font it replaces.
void replace_view_font(int width_percent, int height_percent);

constexpr size_t status_line_size = 800;
// "[in:%s]-index:%u/%u-[len:%d][%d/%d/%d]": the file on show, the position, the count,
// the clip's length and the three limits; then the status note, when there is one.
void format_status_line(char* out, size_t size);
// The same without the note, which the window shows on lines of its own; returns the length.
int format_status_head(char* out, size_t size);
