#include "app/outside_programs.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/res/resource_ids.h"

namespace {

const wchar_t readme_name[] = L"readme.txt";

// The command line is the child's to change, so it is a copy; the handles are closed at
// once, which leaves the child running on its own.
bool start_detached(const std::wstring& command_line) {
  std::vector<wchar_t> line(command_line.begin(), command_line.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// The built-in readme, byte for byte; CREATE_NEW leaves a file the user has alone.
void write_built_in_readme(const std::wstring& path) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_README), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return;
  const DWORD size = SizeofResource(instance, found);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
  CloseHandle(file);
  if (!whole) DeleteFileW(path.c_str());
}

// The wide path, so that a folder named in any script is found.
std::wstring current_folder() {
  std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  return length != 0 && length < folder.size() ? std::wstring(folder.data(), length) : std::wstring();
}

// Wine's bridge hands the folder, as a file URL of its host path, to the host's opener.
bool open_in_host_file_manager(const std::wstring& folder) {
  return start_detached(L"winebrowser.exe \"" + folder + L"\"");
}

}  // namespace

bool running_under_wine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void open_readme() {
  const std::wstring folder = current_folder();
  if (folder.empty()) return;
  const std::wstring path = folder + L"\\" + readme_name;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) write_built_in_readme(path);
  start_detached(L"notepad.exe \"" + path + L"\"");
}

void open_data_folder() {
  const std::wstring folder = current_folder();
  if (folder.empty()) return;
  if (running_under_wine()) {
    open_in_host_file_manager(folder);
    return;
  }
  ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
