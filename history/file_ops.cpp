#include "history/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#else
#include <unistd.h>
#endif

bool truncate_file(const char* name, std::uint64_t size) {
#ifdef _WIN32
  std::FILE* file = open_file(name, "r+b");
  if (file == nullptr) return false;
  const bool cut = _chsize_s(_fileno(file), static_cast<__int64>(size)) == 0;
  return std::fclose(file) == 0 && cut;
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

std::FILE* open_for_reading(const char* name) { return open_file(name, "rb"); }

#ifdef _WIN32
namespace {
bool stamp_of_handle(HANDLE handle, file_stamp& stamp) {
  BY_HANDLE_FILE_INFORMATION info;
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info)) return false;
  stamp.volume = info.dwVolumeSerialNumber;
  stamp.file_id = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.written = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                            info.ftLastWriteTime.dwLowDateTime);
  return true;
}
}  // namespace

bool stamp_of_path(const char* name, file_stamp& stamp) {
  // No access asked beyond the attributes, and every sharing mode, so the look never
  // stands in the way of an editor or of our own streams.
  HANDLE handle = CreateFileW(wide_file_name(name).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool seen = stamp_of_handle(handle, stamp);
  CloseHandle(handle);
  return seen;
}

bool stamp_of_stream(std::FILE* file, file_stamp& stamp) {
  return file != nullptr && stamp_of_handle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))), stamp);
}

bool size_and_time_of_stream(std::FILE* file, file_stamp& stamp) {
  // GetFileInformationByHandle also asks for the volume and the name, which under Wine
  // costs as much as opening the file by name; these two read only the open file.
  if (file == nullptr) return false;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  LARGE_INTEGER size;
  FILETIME written;
  if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size) || !GetFileTime(handle, nullptr, nullptr, &written))
    return false;
  stamp.size = static_cast<std::uint64_t>(size.QuadPart);
  stamp.written =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
  return true;
}
#else
namespace {
void stamp_from_status(const struct stat& status, file_stamp& stamp) {
  stamp.volume = static_cast<std::uint64_t>(status.st_dev);
  stamp.file_id = static_cast<std::uint64_t>(status.st_ino);
  stamp.size = static_cast<std::uint64_t>(status.st_size);
  stamp.written = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}
}  // namespace

bool stamp_of_path(const char* name, file_stamp& stamp) {
  struct stat status;
  if (stat(name, &status) != 0) return false;
  stamp_from_status(status, stamp);
  return true;
}

bool stamp_of_stream(std::FILE* file, file_stamp& stamp) {
  struct stat status;
  if (file == nullptr || fstat(fileno(file), &status) != 0) return false;
  stamp_from_status(status, stamp);
  return true;
}

bool size_and_time_of_stream(std::FILE* file, file_stamp& stamp) {
  file_stamp whole;
  if (!stamp_of_stream(file, whole)) return false;
  stamp.size = whole.size;
  stamp.written = whole.written;
  return true;
}
#endif
