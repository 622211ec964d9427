#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>
#include <string>

#include "text/file_names.h"
#include "text/wide_text.h"

std::wstring wide_file_name(const char* name) {
  const std::u16string units = utf16_from_sjis(name);
  return std::wstring(reinterpret_cast<const wchar_t*>(units.data()), units.size());
}

namespace {

struct open_plan {
  DWORD access;
  DWORD disposition;
  int flags;
};

bool plan_for(const char* mode, open_plan& plan) {
  const bool plus = std::strchr(mode, '+') != nullptr;
  switch (mode[0]) {
    case 'r': plan = {GENERIC_READ | (plus ? GENERIC_WRITE : 0u), OPEN_EXISTING, plus ? 0 : _O_RDONLY}; return true;
    case 'w': plan = {GENERIC_WRITE | (plus ? GENERIC_READ : 0u), CREATE_ALWAYS, 0}; return true;
    case 'a': plan = {GENERIC_WRITE | (plus ? GENERIC_READ : 0u), OPEN_ALWAYS, _O_APPEND}; return true;
    default: return false;
  }
}

}  // namespace

std::FILE* open_file(const char* name, const char* mode) {
  open_plan plan{};
  if (!plan_for(mode, plan)) return nullptr;
  // Sharing delete too: an editor that saves by renaming a new file over ours, or a
  // user who deletes it, is not refused while the program keeps it open.
  HANDLE handle = CreateFileW(wide_file_name(name).c_str(), plan.access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, plan.disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), plan.flags);
  if (descriptor < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, mode);
  if (file == nullptr) _close(descriptor);
  return file;
}

bool remove_file(const char* name) { return DeleteFileW(wide_file_name(name).c_str()) != 0; }

bool file_exists(const char* name) { return GetFileAttributesW(wide_file_name(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool file_size_of(const char* name, std::uint64_t& size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide_file_name(name).c_str(), GetFileExInfoStandard, &data)) return false;
  size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}
