#include "history/private_clip.h"

#include <windows.h>

#include "settings/ignored_programs.h"

namespace {

// "CanIncludeInClipboardHistory" marks privacy only when its DWORD is 0; any other value
// or a block too short for a DWORD leaves the clip an ordinary one.
bool history_refused(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (data == nullptr || GlobalSize(data) < sizeof(DWORD)) return false;
  const DWORD* value = static_cast<const DWORD*>(GlobalLock(data));
  if (value == nullptr) return false;
  const bool refused = *value == 0;
  GlobalUnlock(data);
  return refused;
}

// The clipboard's owner window belongs to a program the user named in "ignore". A
// clipboard without an owner, or an owner whose process cannot be looked at, is not.
bool owner_program_ignored() {
  if (ignored_programs[0] == '\0') return false;
  HWND owner = GetClipboardOwner();
  DWORD process_id = 0;
  if (owner == nullptr || GetWindowThreadProcessId(owner, &process_id) == 0) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (process == nullptr) return false;
  wchar_t image[1024];
  DWORD length = sizeof image / sizeof image[0];
  const BOOL named = QueryFullProcessImageNameW(process, 0, image, &length);
  CloseHandle(process);
  if (!named) return false;
  char sjis[4096];
  if (WideCharToMultiByte(932, 0, image, -1, sjis, sizeof sjis, nullptr, nullptr) == 0) return false;
  return program_is_ignored(ignored_programs, sjis);
}

}  // namespace

bool clipboard_marked_private() {
  static const UINT exclude_format = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  static const UINT history_format = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  static const UINT viewer_ignore_format = RegisterClipboardFormatA("Clipboard Viewer Ignore");
  if (IsClipboardFormatAvailable(exclude_format) || IsClipboardFormatAvailable(viewer_ignore_format)) return true;
  if (owner_program_ignored()) return true;
  return IsClipboardFormatAvailable(history_format) && history_refused(history_format);
}
