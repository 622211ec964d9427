// The places of note and affix windows: a modest size beside the main window and the
// windows already open, wholly on the work area; a window the user moved or sized opens
// again where the user left it, for as long as the program runs.
#pragma once
#include <windows.h>

// The size the main window gets the first time it is opened.
constexpr int main_window_opened_width = 560;
constexpr int main_window_opened_height = 420;

// Where a new window of this kind goes; kind names what the place is remembered by.
RECT place_for_text_frame(const char* kind);
// Called when the user has finished moving or sizing a frame of this kind.
void remember_text_frame_place(const char* kind, HWND frame);
// Records a new frame as open, so the next one goes beside it.
void note_text_frame_opened(HWND frame, const char* kind);
