#include "app/outside_programs.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/res/resource_ids.h"

namespace {

const char readme_name[] = "readme.txt";

// The command line is the child's to change, so it is a copy; the handles are closed at
// once, which leaves the child running on its own.
bool start_detached(const char* command_line) {
  char line[1024];
  std::snprintf(line, sizeof line, "%s", command_line);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// The built-in readme, byte for byte; CREATE_NEW leaves a file the user has alone.
void write_built_in_readme(const char* path) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_README), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return;
  const DWORD size = SizeofResource(instance, found);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
  CloseHandle(file);
  if (!whole) DeleteFileA(path);
}

bool current_folder(char (&folder)[MAX_PATH]) {
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  return length != 0 && length < sizeof folder;
}

// Wine's bridge hands the folder, as a file URL of its host path, to the host's opener.
bool open_in_host_file_manager(const char* folder) {
  char line[MAX_PATH + 32];
  std::snprintf(line, sizeof line, "winebrowser.exe \"%s\"", folder);
  return start_detached(line);
}

}  // namespace

bool running_under_wine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void open_readme() {
  char folder[MAX_PATH];
  if (!current_folder(folder)) return;
  char path[MAX_PATH + 16];
  std::snprintf(path, sizeof path, "%s\\%s", folder, readme_name);
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) write_built_in_readme(path);
  char line[MAX_PATH + 32];
  std::snprintf(line, sizeof line, "notepad.exe \"%s\"", path);
  start_detached(line);
}

void open_data_folder() {
  char folder[MAX_PATH];
  if (!current_folder(folder)) return;
  if (running_under_wine()) {
    open_in_host_file_manager(folder);
    return;
  }
  ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOWNORMAL);
}
