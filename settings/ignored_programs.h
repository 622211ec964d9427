// Programs whose clips are kept nowhere: the "ignore" setting names their executables.
#pragma once

constexpr int ignore_list_size = 2048;
// Executable names separated by ';', as the settings file gives them.
extern char ignored_programs[ignore_list_size];

// True when the file name at the end of image_path (after the last '\' or '/') is one of
// the names in list; blanks around a name do not count, nor the case of Latin letters.
// Both are Shift_JIS, whose second bytes are never folded.
bool program_is_ignored(const char* list, const char* image_path);
