// A short notice shown after the status line until something replaces or clears it,
// such as a save that failed or a search that found nothing.
#pragma once

constexpr int status_note_size = 320;

void set_status_note(const char* text);
void clear_status_note();
const char* status_note();
