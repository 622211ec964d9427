#include "app/entry.h"

#include "app/app_state.h"
#include "app/first_start.h"
#include "app/main_window.h"
#include "app/message_route.h"
#include "app/res/resource_ids.h"
#include "app/single_instance.h"
#include "app/shortcut_menu.h"
#include "settings/ui_texts.h"

const char main_class_name[] = "dovane_clip";

bool register_main_class(HINSTANCE module) {
  WNDCLASSA window_class{};
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = main_window_procedure;
  window_class.hInstance = module;
  window_class.hIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_DOVANE_CLIP));
  window_class.hCursor = LoadCursorA(nullptr, IDC_SIZEWE);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = main_menu_name;
  window_class.lpszClassName = main_class_name;
  return RegisterClassA(&window_class) != 0;
}

HWND create_main_window(HINSTANCE module) {
  return CreateWindowExA(WS_EX_OVERLAPPEDWINDOW, main_class_name, "dovane_clip",
                         WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, GetSystemMetrics(SM_CXICON), 0,
                         GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN), nullptr, nullptr, module, nullptr);
}

int run_program(HINSTANCE module) {
  if (hand_over_to_running_instance(main_class_name)) return 0;
  set_ui_texts();
  if (!register_main_class(module)) {
    MessageBoxA(nullptr, "error", "dovane_clip", MB_ICONERROR);
    return 0;
  }
  instance = module;
  const bool first_start = is_first_start();
  create_main_window(module);
  add_tray_icon(module, first_start);
  start_shortcut();
  HACCEL accelerators = LoadAcceleratorsA(module, "dovane_clip");
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) route_message(message, accelerators);
  return static_cast<int>(message.wParam);
}
