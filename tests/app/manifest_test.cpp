// The application manifest linked into the program (and into this test program), read
// back the way the loader finds it, and its effect on the running process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string manifest_text() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  if (found == nullptr) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

// One element of the manifest, with the attributes it must carry, in any order.
struct element {
  const char* what;
  const char* tag;
  std::vector<const char*> attributes;  // name="value"
  const char* text;                     // the element's text, or nullptr
};

const element expected[] = {
    {"runs with the user's own rights", "requestedExecutionLevel", {"level=\"asInvoker\"", "uiAccess=\"false\""}, nullptr},
    {"supports Windows 10 and 11", "supportedOS", {"Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\""}, nullptr},
    {"supports Windows 8.1", "supportedOS", {"Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\""}, nullptr},
    {"supports Windows 8", "supportedOS", {"Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\""}, nullptr},
    {"supports Windows 7", "supportedOS", {"Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\""}, nullptr},
    {"uses Common Controls 6",
     "assemblyIdentity",
     {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"",
      "processorArchitecture=\"*\"", "type=\"win32\""},
     nullptr},
    {"is aware of each monitor's DPI on Windows 8.1, of the system's before", "dpiAware", {}, "true/pm"},
    {"is aware of each monitor's DPI on Windows 10, scaled menus and dialogs from 1703", "dpiAwareness", {},
     "PerMonitorV2, PerMonitor"},
};

bool has_attribute(const std::string& attributes, const std::string& attribute) {
  for (size_t at = attributes.find(attribute); at != std::string::npos; at = attributes.find(attribute, at + 1))
    if (at > 0 && std::isspace(static_cast<unsigned char>(attributes[at - 1]))) return true;
  return false;
}

TEST(application_manifest, is_resource_1_with_every_setting) {
  const std::string manifest = manifest_text();
  ASSERT_FALSE(manifest.empty()) << "no manifest resource";
  EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
  for (const element& e : expected) {
    SCOPED_TRACE(e.what);
    const std::regex tag(std::string("<") + e.tag + "\\b([^>]*)>" + (e.text != nullptr ? "\\s*([^<]*)<" : ""));
    bool matched = false;
    for (std::sregex_iterator it(manifest.begin(), manifest.end(), tag), end; it != end && !matched; ++it) {
      const std::string attributes = (*it)[1];
      matched = e.text == nullptr || (*it)[2] == e.text;
      for (const char* a : e.attributes) matched = matched && has_attribute(attributes, a);
    }
    EXPECT_TRUE(matched);
  }
}

// Under the manifest the button and edit classes are the version-6 controls of comctl32,
// not user32's old ones.
TEST(application_manifest, gives_the_program_the_version_6_controls) {
  for (const char* window_class : {"button", "edit"}) {
    SCOPED_TRACE(window_class);
    HWND control = CreateWindowExA(0, window_class, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    HMODULE owner = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(GetWindowLongPtrW(control, GWLP_WNDPROC)), &owner);
    EXPECT_EQ(owner, GetModuleHandleA("comctl32.dll"));
    DestroyWindow(control);
  }
}

}  // namespace
