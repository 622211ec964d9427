#include "text/file_replace.h"

#include <windows.h>

#include "text/file_faults.h"
#include "text/file_names.h"

namespace {

bool sync_wide_file(const wchar_t* name) {
  HANDLE file = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const BOOL flushed = FlushFileBuffers(file);
  CloseHandle(file);
  return flushed != 0;
}

}  // namespace

bool sync_file(const char* name) { return sync_wide_file(wide_file_name(name).c_str()); }

bool replace_wide_file(const wchar_t* temporary, const wchar_t* target) {
  // The new content must be on disk before the rename makes it the only copy.
  if (!sync_wide_file(temporary)) return false;
  return MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool replace_file(const char* temporary, const char* target) {
  if (file_fault(file_step::replace, temporary) || file_fault(file_step::replace, target)) return false;
  return replace_wide_file(wide_file_name(temporary).c_str(), wide_file_name(target).c_str());
}
