// Top-level windows that hold a text: note and affix windows. Each is a frame that carries
// its name ("1:", "前略") as a real window name, which the desktop's taskbar and other
// programs read, around an edit that fills its client area and holds the text. A
// top-level edit would answer every reader of its name with its content instead.
#pragma once
#include <windows.h>

// Creates a visible frame of the given class (registered on first use with the given
// procedure, which passes what it does not handle to text_frame_procedure), placed as
// frames of its kind are; kind must live as long as the program.
HWND create_text_frame(const char* class_name, WNDPROC procedure, const char* title, DWORD style,
                       const char* menu_name, const char* kind);
LRESULT CALLBACK text_frame_procedure(HWND frame, UINT message, WPARAM wparam, LPARAM lparam);
// The edit that holds the frame's text.
HWND text_frame_edit(HWND frame);
