// Reading, appending and deleting single records of one drawer file.
#pragma once

// Reads record n of the drawer into clip_text; false when the drawer holds no record n.
// n = 0 or n past the last record reads the whole file through; a missing file leaves
// clip_text as it was.
bool read_drawer_record(int block, int drawer, int number);
// Appends text and the record separator, creating the file when missing; an empty text
// stores an empty record. Returns the number of the first record the text makes, 0 when
// nothing could be written.
int append_drawer_record(int block, int drawer, const char* text);
// Rewrites the drawer file without record n and without empty records. The new contents
// replace the file in one step, only once they are wholly on disk.
void delete_drawer_record(int block, int drawer, int number);
