// The few file operations stdio lacks, for both platforms: a file's size by name, and
// cutting a file back to a size.
#pragma once
#include <cstdint>
#include <cstdio>

// False when the file cannot be looked at (missing, no access).
bool file_size_of(const char* name, std::uint64_t& size);
bool truncate_file(const char* name, std::uint64_t size);
// Positions an open stream at a raw offset; 64-bit on both platforms.
bool seek_stream(std::FILE* file, std::uint64_t offset);
