// Files named by their Shift_JIS names: found by those names whatever the system's code
// page, and held open so that other programs may still replace, rename and delete them.
#pragma once
#include <cstdint>
#include <cstdio>

// As std::fopen, for the binary modes "rb", "wb", "ab", "r+b", "w+b" and "a+b".
std::FILE* open_file(const char* name, const char* mode);
bool remove_file(const char* name);
bool file_exists(const char* name);
bool file_size_of(const char* name, std::uint64_t& size);

#ifdef _WIN32
#include <string>
// The name as the wide functions take it.
std::wstring wide_file_name(const char* name);
#endif
