// "Windows 起動時に開始": each opening of "メニュー" checks the item only when the Startup
// folder's shortcut starts this program in its data folder, and the item turns it over.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/start_at_sign_in.h"
#include "app/tray_icon.h"
#include "tests/win32/app_fixture.h"

namespace {

using start_at_sign_in_test = app_test;

// A shortcut as another copy of the program, or the installer, leaves it.
void make_shortcut(const std::wstring& link, const std::wstring& target, const std::wstring& folder) {
  IShellLinkW* shortcut = nullptr;
  IPersistFile* file = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                            reinterpret_cast<void**>(&shortcut)));
  shortcut->SetPath(target.c_str());
  shortcut->SetWorkingDirectory(folder.c_str());
  shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  EXPECT_HRESULT_SUCCEEDED(file->Save(link.c_str(), TRUE));
  file->Release();
  shortcut->Release();
}

bool checked() {
  SendMessageA(main_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(control_menu), 11);
  return (GetMenuState(control_menu, CMD_START_AT_SIGN_IN, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(start_at_sign_in_test, the_check_shows_whether_the_shortcut_starts_this_exe_here_and_the_item_turns_it_over) {
  start_app();
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  wchar_t* startup = nullptr;
  ASSERT_HRESULT_SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &startup));
  const std::wstring link = std::wstring(startup) + L"\\" + sign_in_shortcut_name;
  CoTaskMemFree(startup);
  const auto remove_link = [&link] { DeleteFileW(link.c_str()) || RemoveDirectoryW(link.c_str()); };
  wchar_t exe[MAX_PATH], short_exe[MAX_PATH], folder[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  GetShortPathNameW(exe, short_exe, MAX_PATH);
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring upper_folder = folder;
  CharUpperW(&upper_folder[0]);
  const struct {
    const char* what;
    std::wstring target, start_in;  // no shortcut when the target is empty
    bool on;
  } cases[] = {
      {"no shortcut", L"", L"", false},
      {"this exe in this folder", exe, folder, true},
      {"the same, spelt otherwise", short_exe, upper_folder + L"\\", true},
      {"a moved copy", std::wstring(folder) + L"\\old\\dovane_clip.exe", folder, false},
      {"another data folder", exe, std::wstring(folder) + L"\\..", false},
      {"no start-in folder", exe, L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    remove_link();
    if (!c.target.empty()) make_shortcut(link, c.target, c.start_in);
    EXPECT_EQ(checked(), c.on);
    command(CMD_START_AT_SIGN_IN);
    if (c.on) {
      EXPECT_EQ(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES) << "off removes it";
    } else {
      EXPECT_TRUE(shortcut_starts(link.c_str(), exe, folder)) << "on makes one that starts this exe here";
    }
    EXPECT_EQ(checked(), !c.on);
  }

  remove_link();
  ASSERT_TRUE(CreateDirectoryW(link.c_str(), nullptr));
  const int balloons = tray_icon.balloons_shown();
  command(CMD_START_AT_SIGN_IN);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1) << "a shortcut that cannot be made is told";
  EXPECT_FALSE(checked());
  remove_link();
}

}  // namespace
