#include "history/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool file_size_of(const char* name, std::uint64_t& size) {
#ifdef _WIN32
  struct _stati64 status;
  if (_stati64(name, &status) != 0) return false;
#else
  struct stat status;
  if (stat(name, &status) != 0) return false;
#endif
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}

bool truncate_file(const char* name, std::uint64_t size) {
#ifdef _WIN32
  const int fd = _open(name, _O_RDWR | _O_BINARY);
  if (fd < 0) return false;
  const bool cut = _chsize_s(fd, static_cast<__int64>(size)) == 0;
  return _close(fd) == 0 && cut;
#else
  return truncate(name, static_cast<off_t>(size)) == 0;
#endif
}

bool seek_stream(std::FILE* file, std::uint64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}
