// The few file operations stdio lacks, for both platforms: cutting a file back to a size,
// and which file a name stands for.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "text/file_names.h"

bool truncate_file(const char* name, std::uint64_t size);
// Positions an open stream at a raw offset; 64-bit on both platforms.
bool seek_stream(std::FILE* file, std::uint64_t offset);
// Opens an existing file for reading in binary, letting other programs write, rename over
// and delete it meanwhile, as editors that save by renaming do.
std::FILE* open_for_reading(const char* name);

// Which file a name or an open stream stands for, and the state it was in: editors,
// scripts and a second program rewrite, replace and cut files behind our back.
struct file_stamp {
  std::uint64_t volume = 0;   // volume serial number, or device
  std::uint64_t file_id = 0;  // file index, or inode
  std::uint64_t size = 0;
  std::int64_t written = 0;   // last-write time in the platform's finest unit
};
// False when the file cannot be looked at (missing, no access).
bool stamp_of_path(const char* name, file_stamp& stamp);
bool stamp_of_stream(std::FILE* file, file_stamp& stamp);
// Only the size and the last-write time, which an open stream gives without a look at
// any name; the identity is left as it was.
bool size_and_time_of_stream(std::FILE* file, file_stamp& stamp);
// A file as a listing of its folder gives it, with no look at the file itself.
struct listed_file {
  std::string name;
  std::uint64_t size = 0;
  std::int64_t written = 0;  // last-write time in the platform's finest unit
};
inline bool same_listing(const listed_file& a, const listed_file& b) {
  return a.name == b.name && a.size == b.size && a.written == b.written;
}
inline bool same_file(const file_stamp& a, const file_stamp& b) {
  return a.volume == b.volume && a.file_id == b.file_id;
}
inline bool same_state(const file_stamp& a, const file_stamp& b) {
  return same_file(a, b) && a.size == b.size && a.written == b.written;
}
