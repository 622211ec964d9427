#include <sys/stat.h>

#include "text/file_names.h"

std::FILE* open_file(const char* name, const char* mode) { return std::fopen(name, mode); }

bool remove_file(const char* name) { return std::remove(name) == 0; }

bool file_exists(const char* name) {
  struct stat status;
  return stat(name, &status) == 0;
}

bool file_size_of(const char* name, std::uint64_t& size) {
  struct stat status;
  if (stat(name, &status) != 0) return false;
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}
