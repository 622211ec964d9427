// Replacing a file by a finished temporary file without a moment in which neither exists.
#pragma once

// Puts temporary in the place of target in one atomic step, once its bytes are on disk.
// When that fails the target stays whole and the temporary file stays behind.
bool replace_file(const char* temporary, const char* target);
// Puts a finished file's bytes on disk ahead of its replace_file, which then finds little
// left to write; false when they could not be.
bool sync_file(const char* name);

#ifdef _WIN32
// The same for paths the wide functions take, without the planted faults.
bool replace_wide_file(const wchar_t* temporary, const wchar_t* target);
#endif
