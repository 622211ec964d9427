#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "text/file_faults.h"
#include "text/file_replace.h"

bool sync_file(const char* name) {
  const int file = open(name, O_WRONLY);
  if (file < 0) return false;
  const bool synced = fsync(file) == 0;
  close(file);
  return synced;
}

bool replace_file(const char* temporary, const char* target) {
  if (file_fault(file_step::replace, temporary) || file_fault(file_step::replace, target)) return false;
  // The new content must be on disk before the rename makes it the only copy.
  const int file = open(temporary, O_WRONLY);
  if (file < 0) return false;
  const bool synced = fsync(file) == 0;
  close(file);
  return synced && std::rename(temporary, target) == 0;
}
