// A short notice shown after the status line until something replaces or clears it,
// such as a save that failed or a search that found nothing.
#pragma once

constexpr int status_note_size = 320;

void set_status_note(const char* text);
void clear_status_note();
const char* status_note();
// The one place the count of characters stored as '?' reaches the user. The note speaks
// of the last clip kept, so a later clip without such characters takes it away, leaving
// any other note alone.
void note_unmappable_characters(int count);
