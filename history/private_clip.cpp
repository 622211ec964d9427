#include "history/private_clip.h"

#include <windows.h>

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

}  // namespace

bool clipboard_marked_private() {
  static const UINT exclude_format = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  static const UINT history_format = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  static const UINT viewer_ignore_format = RegisterClipboardFormatA("Clipboard Viewer Ignore");
  if (IsClipboardFormatAvailable(exclude_format) || IsClipboardFormatAvailable(viewer_ignore_format)) return true;
  return IsClipboardFormatAvailable(history_format) && history_refused(history_format);
}
