#include "app/dpi.h"

namespace {

// Functions newer than Windows 7 are looked up when the program runs, so that it still
// starts there.
template <typename function>
function look_up(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  // Only the system's own copy: the program's folder is the user's data folder.
  if (module == nullptr) module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Through a plain function pointer type, which any function pointer converts to.
  const auto found = reinterpret_cast<void (*)()>(module != nullptr ? GetProcAddress(module, name) : nullptr);
  return reinterpret_cast<function>(found);
}

using dpi_for_window_function = UINT(WINAPI*)(HWND);
using dpi_for_monitor_function = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using metrics_for_dpi_function = int(WINAPI*)(int, UINT);

constexpr int effective_dpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

int system_dpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int found = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return found > 0 ? found : default_dpi;
  }();
  return dpi;
}

int dpi_of_window(HWND window) {
  static const auto for_window = look_up<dpi_for_window_function>("user32.dll", "GetDpiForWindow");
  if (for_window != nullptr) {
    const UINT dpi = for_window(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  static const auto for_monitor = look_up<dpi_for_monitor_function>("shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (for_monitor != nullptr &&
      for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), effective_dpi, &x, &y) == S_OK && y > 0)
    return static_cast<int>(y);
  return system_dpi();
}

int scaled(int length_at_96, int dpi) { return MulDiv(length_at_96, dpi, default_dpi); }

int metric_at(int index, int dpi) {
  static const auto for_dpi = look_up<metrics_for_dpi_function>("user32.dll", "GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, system_dpi());
}

HFONT create_system_font(int dpi) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  font.lfHeight = MulDiv(font.lfHeight, dpi, system_dpi());
  // Its width is the system's for its own DPI, and some systems keep it at every DPI,
  // which squeezes the characters; the face's own proportions are the same at any size.
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

font_measures measure_font(HFONT font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  // As the system finds the dialog base units of a font.
  static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32W(screen, letters, 52, &extent);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  const int height = static_cast<int>(metrics.tmHeight);
  return {static_cast<int>(metrics.tmAveCharWidth), height, static_cast<int>((extent.cx / 26 + 1) / 2), height};
}

void move_to_suggested(HWND window, LPARAM suggested) {
  const RECT& r = *reinterpret_cast<const RECT*>(suggested);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
