#include "history/folder_notice.h"

#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdint>
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "text/file_names.h"

namespace {
// The folder part keeps its separator, so a root stays a root; a bare name is in ".".
void split_path(const char* path, std::string& folder, std::string& leaf) {
  const char* cut = nullptr;
  for (const char* p = path; *p != '\0'; ++p)
    if (*p == '/' || *p == '\\') cut = p;
  folder = cut == nullptr ? std::string(".") : std::string(path, static_cast<std::size_t>(cut - path + 1));
  leaf = cut == nullptr ? path : cut + 1;
}
}  // namespace

#ifdef _WIN32
struct folder_notice::state {
  HANDLE folder = INVALID_HANDLE_VALUE;
  HANDLE event = nullptr;
  OVERLAPPED overlapped{};
  std::wstring leaf;
  bool armed = false;
  // The system writes FILE_NOTIFY_INFORMATION records here, DWORD-aligned.
  alignas(DWORD) unsigned char buffer[8192];
};

namespace {
bool arm(folder_notice::state& s) {
  ResetEvent(s.event);
  std::memset(&s.overlapped, 0, sizeof s.overlapped);
  s.overlapped.hEvent = s.event;
  s.armed = ReadDirectoryChangesW(s.folder, s.buffer, sizeof s.buffer, FALSE,
                                  FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE,
                                  nullptr, &s.overlapped, nullptr) != FALSE;
  return s.armed;
}

bool is_leaf(const folder_notice::state& s, const FILE_NOTIFY_INFORMATION& record) {
  const int length = static_cast<int>(record.FileNameLength / sizeof(WCHAR));
  if (s.leaf.empty()) return true;
  if (length == static_cast<int>(s.leaf.size()) &&
      CompareStringOrdinal(record.FileName, length, s.leaf.c_str(), length, TRUE) == CSTR_EQUAL)
    return true;
  // A program that works with short names is told by them; such a name may be ours.
  for (int i = 0; i < length; ++i)
    if (record.FileName[i] == L'~') return true;
  return false;
}

void read_records(const folder_notice::state& s, DWORD bytes, folder_notice::news& told) {
  for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
    const auto& record = *reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(s.buffer + at);
    if (is_leaf(s, record)) {
      if (record.Action == FILE_ACTION_MODIFIED)
        told.contents = true;
      else
        told.name = true;
    }
    if (record.NextEntryOffset == 0) break;
    at += record.NextEntryOffset;
  }
}
}  // namespace

bool folder_notice::listen(const char* path) {
  stop();
  std::string folder, leaf;
  split_path(path, folder, leaf);
  std::unique_ptr<state> s(new state);
  // The names are Shift_JIS whatever the system's code page.
  s->leaf = wide_file_name(leaf.c_str());
  if (s->leaf.empty()) return false;
  s->folder = CreateFileW(wide_file_name(folder.c_str()).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  s->event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  state_ = std::move(s);
  if (state_->folder == INVALID_HANDLE_VALUE || state_->event == nullptr || !arm(*state_)) {
    stop();
    return false;
  }
  return true;
}

void folder_notice::stop() {
  if (!state_) return;
  if (state_->armed) {
    // The system writes into the buffer until the read is over; it must be over before
    // the buffer goes.
    CancelIoEx(state_->folder, &state_->overlapped);
    DWORD bytes = 0;
    GetOverlappedResult(state_->folder, &state_->overlapped, &bytes, TRUE);
  }
  if (state_->folder != INVALID_HANDLE_VALUE) CloseHandle(state_->folder);
  if (state_->event != nullptr) CloseHandle(state_->event);
  state_.reset();
}

folder_notice::news folder_notice::take() {
  news told;
  if (!listening()) return {true, true};
  while (WaitForSingleObject(state_->event, 0) == WAIT_OBJECT_0) {
    DWORD bytes = 0;
    state_->armed = false;
    // No bytes: more happened than the system kept, so anything may have.
    if (!GetOverlappedResult(state_->folder, &state_->overlapped, &bytes, FALSE) || bytes == 0)
      told = {true, true};
    else
      read_records(*state_, bytes, told);
    if (!arm(*state_)) {
      stop();
      return {true, true};
    }
  }
  return told;
}
#else
struct folder_notice::state {
  int fd = -1;
  std::string leaf;
};

bool folder_notice::listen(const char* path) {
  stop();
  std::string folder, leaf;
  split_path(path, folder, leaf);
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return false;
  const std::uint32_t mask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_ATTRIB |
                             IN_DELETE_SELF | IN_MOVE_SELF;
  if (inotify_add_watch(fd, folder.c_str(), mask) < 0) {
    close(fd);
    return false;
  }
  state_.reset(new state{fd, leaf});
  return true;
}

void folder_notice::stop() {
  if (!state_) return;
  close(state_->fd);
  state_.reset();
}

folder_notice::news folder_notice::take() {
  news told;
  if (!listening()) return {true, true};
  alignas(struct inotify_event) char buffer[8192];
  bool watch_gone = false;
  for (;;) {
    const ssize_t length = read(state_->fd, buffer, sizeof buffer);
    if (length <= 0) {
      if (length < 0 && errno != EAGAIN && errno != EWOULDBLOCK) watch_gone = true;
      break;
    }
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(struct inotify_event)) <= length;) {
      const auto& event = *reinterpret_cast<const struct inotify_event*>(buffer + at);
      if (event.mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
        told = {true, true};
        watch_gone = watch_gone || (event.mask & IN_Q_OVERFLOW) == 0;
      } else if (event.len > 0 && (state_->leaf.empty() || state_->leaf == event.name)) {
        if (event.mask & (IN_MODIFY | IN_ATTRIB))
          told.contents = true;
        else
          told.name = true;
      }
      at += static_cast<ssize_t>(sizeof(struct inotify_event) + event.len);
    }
  }
  // A folder moved or removed tells nothing more: from now on every look is a full one.
  if (watch_gone) stop();
  return told;
}
#endif

folder_notice::folder_notice() = default;
folder_notice::~folder_notice() { stop(); }
bool folder_notice::listening() const { return state_ != nullptr; }
