#include "app/start_at_sign_in.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "app/data_folder.h"
#include "app/res/resource_ids.h"
#include "app/tray_icon.h"

const wchar_t sign_in_shortcut_name[] = L"どばねクリップ.lnk";

namespace {

// COM for this thread while in scope; a thread that already has it keeps its own.
class com_scope {
 public:
  com_scope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~com_scope() {
    if (initialized_) CoUninitialize();
  }
  com_scope(const com_scope&) = delete;
  com_scope& operator=(const com_scope&) = delete;

 private:
  bool initialized_;
};

template <class T>
struct released {
  T* p = nullptr;
  released() = default;
  released(const released&) = delete;
  released& operator=(const released&) = delete;
  ~released() {
    if (p != nullptr) p->Release();
  }
};

// A path as the file system knows it, for comparing: full, with long names where it
// exists, without a closing backslash unless it is a drive's root.
std::wstring canonical(const wchar_t* path) {
  std::wstring full(GetFullPathNameW(path, 0, nullptr, nullptr), L'\0');
  DWORD length = full.empty() ? 0 : GetFullPathNameW(path, static_cast<DWORD>(full.size()), &full[0], nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  std::wstring long_form(GetLongPathNameW(full.c_str(), nullptr, 0), L'\0');
  length = long_form.empty() ? 0 : GetLongPathNameW(full.c_str(), &long_form[0], static_cast<DWORD>(long_form.size()));
  if (length > 0 && length < long_form.size()) full.assign(long_form, 0, length);
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return full;
}

bool same_path(const wchar_t* a, const wchar_t* b) {
  const std::wstring x = canonical(a), y = canonical(b);
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
         CSTR_EQUAL;
}

bool read_shortcut(const wchar_t* link, wchar_t (&target)[MAX_PATH], wchar_t (&folder)[MAX_PATH]) {
  released<IShellLinkW> shortcut;
  released<IPersistFile> file;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&shortcut.p))) &&
         SUCCEEDED(shortcut.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) &&
         SUCCEEDED(file.p->Load(link, STGM_READ)) &&
         SUCCEEDED(shortcut.p->GetPath(target, MAX_PATH, nullptr, 0)) &&
         SUCCEEDED(shortcut.p->GetWorkingDirectory(folder, MAX_PATH));
}

bool write_shortcut(const wchar_t* link, const wchar_t* target, const wchar_t* folder) {
  released<IShellLinkW> shortcut;
  released<IPersistFile> file;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&shortcut.p))) &&
         SUCCEEDED(shortcut.p->SetPath(target)) && SUCCEEDED(shortcut.p->SetWorkingDirectory(folder)) &&
         SUCCEEDED(shortcut.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) &&
         SUCCEEDED(file.p->Save(link, TRUE));
}

// The shortcut's path in the Startup folder, made first when asked; empty when the
// system names no Startup folder.
std::wstring startup_shortcut(bool make_folder) {
  wchar_t* folder = nullptr;
  std::wstring link;
  const DWORD flags = make_folder ? static_cast<DWORD>(KF_FLAG_CREATE) : 0;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, flags, nullptr, &folder)))
    link = std::wstring(folder) + L"\\" + sign_in_shortcut_name;
  CoTaskMemFree(folder);
  return link;
}

std::wstring this_exe() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

std::wstring data_folder() {
  const in_data_folder here;
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  const DWORD length = folder.empty() ? 0 : GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]);
  return length > 0 && length < folder.size() ? folder.substr(0, length) : L"";
}

}  // namespace

bool shortcut_starts(const wchar_t* link, const wchar_t* exe, const wchar_t* folder) {
  const com_scope com;
  wchar_t target[MAX_PATH] = L"", start_in[MAX_PATH] = L"";
  return read_shortcut(link, target, start_in) && same_path(target, exe) && same_path(start_in, folder);
}

bool starts_at_sign_in() {
  const std::wstring link = startup_shortcut(false);
  return !link.empty() && shortcut_starts(link.c_str(), this_exe().c_str(), data_folder().c_str());
}

void set_start_at_sign_in(bool on) {
  const com_scope com;
  const std::wstring link = startup_shortcut(on);
  const std::wstring exe = this_exe(), folder = data_folder();
  if (on && (link.empty() || exe.empty() || folder.empty() || !write_shortcut(link.c_str(), exe.c_str(), folder.c_str())))
    tray_icon.show_balloon("Windows 起動時に開始できません: スタートアップにショートカットを作れませんでした", true);
  if (!on && !link.empty() && !DeleteFileW(link.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
    tray_icon.show_balloon("スタートアップのショートカットを消せませんでした。Windows 起動時に開始したままです", true);
}

void show_start_at_sign_in(HMENU menu) {
  CheckMenuItem(menu, CMD_START_AT_SIGN_IN, MF_BYCOMMAND | (starts_at_sign_in() ? MF_CHECKED : MF_UNCHECKED));
}
