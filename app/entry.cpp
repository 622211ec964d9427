#include "app/entry.h"

#include "app/app_state.h"
#include "app/first_start.h"
#include "app/main_window.h"
#include "app/message_route.h"
#include "app/res/resource_ids.h"
#include "app/single_instance.h"
#include "app/ui_text.h"
#include "app/shortcut_menu.h"
#include "settings/ui_texts.h"

const wchar_t main_class_name[] = L"dovane_clip";

bool register_main_class(HINSTANCE module) {
  // The menu's resource name lives as long as the class.
  static const std::wstring menu_name = wide_from_sjis(main_menu_name);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = main_window_procedure;
  window_class.hInstance = module;
  window_class.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDI_DOVANE_CLIP));
  window_class.hCursor = LoadCursorA(nullptr, IDC_SIZEWE);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = menu_name.c_str();
  window_class.lpszClassName = main_class_name;
  return RegisterClassExW(&window_class) != 0;
}

HWND create_main_window(HINSTANCE module) {
  return CreateWindowExW(WS_EX_OVERLAPPEDWINDOW, main_class_name, L"dovane_clip",
                         WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, GetSystemMetrics(SM_CXICON), 0,
                         GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN), nullptr, nullptr, module, nullptr);
}

int run_program(HINSTANCE module) {
  if (hand_over_to_running_instance(main_class_name)) return 0;
  set_ui_texts();
  if (!register_main_class(module)) {
    MessageBoxW(nullptr, L"error", L"dovane_clip", MB_ICONERROR);
    return 0;
  }
  instance = module;
  const bool first_start = is_first_start();
  create_main_window(module);
  add_tray_icon(module, first_start);
  start_shortcut();
  HACCEL accelerators = LoadAcceleratorsW(module, L"dovane_clip");
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) route_message(message, accelerators);
  return static_cast<int>(message.wParam);
}
