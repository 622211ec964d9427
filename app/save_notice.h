// Telling the user that something could not be saved: once per run of failures of a
// file (a tray balloon), and in the status line until a later save of it succeeds.
#pragma once

// Takes the outcome of writing the named file.
void note_save(bool saved, const char* file_name);
