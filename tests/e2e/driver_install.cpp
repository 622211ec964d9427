#include "tests/e2e/driver_install.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size - 1));
  return out;
}

void print_shortcut(const std::wstring& folder, const wchar_t* name) {
  IShellLinkW* shortcut = nullptr;
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = L"?", start_in[MAX_PATH] = L"?";
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shortcut))) &&
      SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load((folder + L"\\" + name).c_str(), STGM_READ))) {
    shortcut->GetPath(target, MAX_PATH, nullptr, 0);
    shortcut->GetWorkingDirectory(start_in, MAX_PATH);
  }
  if (file != nullptr) file->Release();
  if (shortcut != nullptr) shortcut->Release();
  std::printf("%s\t%s\t%s\n", utf8(name).c_str(), utf8(target).c_str(), utf8(start_in).c_str());
}

}  // namespace

int print_shortcuts(const char* folder) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  wchar_t* path = nullptr;
  if (FAILED(SHGetKnownFolderPath(std::strcmp(folder, "startup") == 0 ? FOLDERID_Startup : FOLDERID_Programs, 0,
                                  nullptr, &path)))
    return 1;
  const std::wstring where = path;
  CoTaskMemFree(path);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((where + L"\\*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do print_shortcut(where, found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return 0;
}

int print_version_info(const char* file) {
  wchar_t path[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, file, -1, path, MAX_PATH - 1);
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(path, &ignored));
  if (info.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data())) return 1;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr)
    std::printf("fixed %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  struct translation {
    WORD language, code_page;
  }* translations = nullptr;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length))
    return 0;
  for (UINT i = 0; i < length / sizeof(translation); ++i) {
    wchar_t block[16];
    _snwprintf(block, sizeof block / sizeof block[0], L"%04x%04x", translations[i].language,
               translations[i].code_page);
    block[15] = L'\0';
    for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"OriginalFilename"}) {
      void* value = nullptr;
      UINT chars = 0;
      const std::wstring key = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
      if (VerQueryValueW(info.data(), key.c_str(), &value, &chars) && chars > 0)
        std::printf("%s %s %s\n", utf8(block).c_str(), utf8(name).c_str(),
                    utf8(static_cast<const wchar_t*>(value)).c_str());
    }
  }
  return 0;
}
