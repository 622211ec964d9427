// The places of note and affix windows: a modest size beside the main window and the
// windows already open, wholly on the work area; a window the user moved or sized opens
// again where the user left it, for as long as the program runs, at the same size for
// the eye when the DPI has changed since.
#pragma once
#include <windows.h>

// Where a new window of this kind goes, at least of the given size unless the user made
// one smaller; kind names what the place is remembered by.
RECT place_for_text_frame(const char* kind, SIZE least);
// Called when the user has finished moving or sizing a frame of this kind, laid out for dpi.
void remember_text_frame_place(const char* kind, HWND frame, int dpi);
// Records a new frame as open, so the next one goes beside it.
void note_text_frame_opened(HWND frame, const char* kind);
