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

std::wstring startup_link() {
  wchar_t* folder = nullptr;
  std::wstring link;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder)))
    link = std::wstring(folder) + L"\\" + sign_in_shortcut_name;
  CoTaskMemFree(folder);
  return link;
}

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

class start_at_sign_in_test : public app_test {
 protected:
  void SetUp() override {
    app_test::SetUp();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    link_ = startup_link();
    ASSERT_FALSE(link_.empty());
    remove_link();
  }
  void TearDown() override {
    remove_link();
    CoUninitialize();
    app_test::TearDown();
  }
  void remove_link() {
    DeleteFileW(link_.c_str());
    RemoveDirectoryW(link_.c_str());
  }
  bool checked() {
    SendMessageA(main_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(control_menu), 11);
    return (GetMenuState(control_menu, CMD_START_AT_SIGN_IN, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  std::wstring link_;
};

TEST_F(start_at_sign_in_test, the_check_shows_whether_the_shortcut_starts_this_exe_here_and_the_item_turns_it_over) {
  start_app();
  wchar_t exe[MAX_PATH], short_exe[MAX_PATH], folder[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  GetShortPathNameW(exe, short_exe, MAX_PATH);
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring upper_folder = folder;
  CharUpperW(&upper_folder[0]);
  const std::wstring moved = std::wstring(folder) + L"\\old copy\\dovane_clip.exe";
  enum class before { none, shortcut, blocked };
  const struct {
    const char* what;
    before state;
    std::wstring target, start_in;
    bool on;
  } cases[] = {
      {"no shortcut", before::none, L"", L"", false},
      {"this exe in this folder", before::shortcut, exe, folder, true},
      {"the same, spelt otherwise", before::shortcut, short_exe, upper_folder + L"\\", true},
      {"a moved copy", before::shortcut, moved, folder, false},
      {"another data folder", before::shortcut, exe, std::wstring(folder) + L"\\..", false},
      {"no start-in folder", before::shortcut, exe, L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    remove_link();
    if (c.state == before::shortcut) make_shortcut(link_, c.target, c.start_in);
    EXPECT_EQ(checked(), c.on);
    command(CMD_START_AT_SIGN_IN);
    EXPECT_EQ(GetFileAttributesW(link_.c_str()) != INVALID_FILE_ATTRIBUTES, !c.on) << "turned off removes it";
    if (!c.on) {
      EXPECT_TRUE(shortcut_starts(link_.c_str(), exe, folder)) << "turned on, it starts this exe here";
    }
    EXPECT_EQ(checked(), !c.on);
  }

  remove_link();
  ASSERT_TRUE(CreateDirectoryW(link_.c_str(), nullptr));
  const int balloons = tray_icon.balloons_shown();
  command(CMD_START_AT_SIGN_IN);
  EXPECT_EQ(tray_icon.balloons_shown(), balloons + 1) << "a shortcut that cannot be made is told";
  EXPECT_NE(std::string(tray_icon.last_balloon()).find("スタートアップ"), std::string::npos);
  EXPECT_FALSE(checked());
}

}  // namespace
