// The re-use index: one decimal history number per line.
#pragma once
#include "history/record_file.h"

// Reads the next number of the index; false at its end. A line that is no number (a
// hand edit, a torn write) is passed over, and the numbers after it still count.
// Numbers are held within the int range, one below its top so a caller may add 1.
bool read_index_number(record_stream& index, int& number);

// The index is whole as the program writes it: decimal numbers from 1 to history_count,
// one a line, nothing else (an empty index included).
bool is_sound_index(record_stream& index, int history_count);
