// The re-use index: one decimal history number per line.
#pragma once
#include "history/record_file.h"

// Reads the next number of the index; false at its end. A line that is no number (a
// hand edit, a torn write) is passed over, and the numbers after it still count.
// Numbers are held within the int range, one below its top so a caller may add 1.
bool read_index_number(record_stream& index, int& number);
