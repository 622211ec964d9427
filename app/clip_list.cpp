#include "app/clip_list.h"

#include <windowsx.h>

#include <cwctype>
#include <utility>

#include "app/app_state.h"
#include "app/clip_list_keys.h"
#include "app/dpi.h"
#include "app/menu_hold.h"

namespace {

const wchar_t list_class_name[] = L"dovane_clip_list";
constexpr UINT list_key_message = WM_APP + 40;
constexpr UINT list_close_message = WM_APP + 41;
constexpr UINT_PTR foreground_timer = 1;
constexpr UINT foreground_poll_ms = 100;

// One menu of the cascade: the list itself, or a submenu opened from it.
struct level {
  HWND window = nullptr;
  std::vector<list_entry> entries;
  std::vector<int> tops;  // each entry's top in the content, then the content's height
  int selected = -1;
  int first_shown = 0;  // the entry at the top when the content is longer than the window
  int dpi = default_dpi;
  HFONT font = nullptr;
  int row_height = 0;
  int check_width = 0;  // the margins left for a check mark and for a submenu's arrow
  int left_text_width = 0;
  int right_text_width = 0;
};

struct list_state {
  std::vector<level> levels;
  HWND target = nullptr;
  list_choice on_choice = nullptr;
  bool closing = false;
};
list_state list;

bool selectable(const list_entry& entry) { return entry.what != list_entry::kind::separator; }

// The character after a single "&", upper-cased; 0 when there is none.
wchar_t mnemonic_of(const std::wstring& label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != L'&') continue;
    if (label[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(label[i + 1]));
    ++i;
  }
  return 0;
}

wchar_t character_of_key(UINT vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return static_cast<wchar_t>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<wchar_t>(L'0' + (vk - VK_NUMPAD0));
  return 0;
}

int entry_with_mnemonic(const level& at, wchar_t character) {
  for (size_t i = 0; character != 0 && i < at.entries.size(); ++i)
    if (selectable(at.entries[i]) && mnemonic_of(at.entries[i].label) == character) return static_cast<int>(i);
  return -1;
}

bool has_submenus(const level& at) {
  for (const list_entry& entry : at.entries)
    if (entry.what == list_entry::kind::submenu) return true;
  return false;
}

// The text before and after a label's tab, as a menu shows them left and right.
std::pair<std::wstring, std::wstring> split_label(const std::wstring& label) {
  const size_t tab = label.find(L'\t');
  if (tab == std::wstring::npos) return {label, std::wstring()};
  return {label.substr(0, tab), label.substr(tab + 1)};
}

HFONT create_menu_font(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return create_system_font(dpi);
  metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, dpi, system_dpi());
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

int text_width(HDC dc, const std::wstring& text) {
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CALCRECT);
  return box.right - box.left;
}

void measure(level& at) {
  at.font = create_menu_font(at.dpi);
  HDC dc = GetDC(at.window);
  HGDIOBJ previous = SelectObject(dc, at.font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  at.row_height = static_cast<int>(metrics.tmHeight) + scaled(6, at.dpi);
  const int separator_height = scaled(8, at.dpi);
  at.check_width = scaled(22, at.dpi);
  at.tops.clear();
  int top = 0;
  for (const list_entry& entry : at.entries) {
    at.tops.push_back(top);
    top += entry.what == list_entry::kind::separator ? separator_height : at.row_height;
    const auto parts = split_label(entry.label);
    const int left = text_width(dc, parts.first), right = text_width(dc, parts.second);
    if (left > at.left_text_width) at.left_text_width = left;
    if (right > at.right_text_width) at.right_text_width = right;
  }
  at.tops.push_back(top);
  SelectObject(dc, previous);
  ReleaseDC(at.window, dc);
}

int content_width(const level& at) {
  const int gap = at.right_text_width > 0 ? scaled(24, at.dpi) : 0;
  return 2 * at.check_width + at.left_text_width + gap + at.right_text_width;
}

RECT work_area_at(POINT point) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

// The window at the point, or to the left of `flip_x` and above `flip_y` where it would
// leave the work area, and within it whatever its size.
void place(level& at, POINT point, int flip_x, int flip_y) {
  const RECT work = work_area_at(point);
  const int border = 2 * GetSystemMetrics(SM_CXBORDER);
  int width = content_width(at) + border;
  int height = at.tops.back() + 2 * scaled(2, at.dpi) + border;
  if (width > work.right - work.left) width = work.right - work.left;
  if (height > work.bottom - work.top) height = work.bottom - work.top;
  int x = point.x, y = point.y;
  if (x + width > work.right) x = flip_x - width;
  if (y + height > work.bottom) y = flip_y - height;
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(at.window, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// For screen readers and tests: one line an entry, "-" for a separator.
void describe(const level& at) {
  std::wstring text;
  for (const list_entry& entry : at.entries) {
    if (!text.empty()) text += L"\r\n";
    text += entry.what == list_entry::kind::separator ? std::wstring(L"-") : entry.label;
  }
  SetWindowTextW(at.window, text.c_str());
}

int level_of(HWND window) {
  for (size_t l = 0; l < list.levels.size(); ++l)
    if (list.levels[l].window == window) return static_cast<int>(l);
  return -1;
}

int shown_top(const level& at) { return scaled(2, at.dpi) - at.tops[static_cast<size_t>(at.first_shown)]; }

RECT row_rect(const level& at, int index) {
  RECT client;
  GetClientRect(at.window, &client);
  const int top = shown_top(at) + at.tops[static_cast<size_t>(index)];
  return RECT{0, top, client.right, top + at.tops[static_cast<size_t>(index) + 1] - at.tops[static_cast<size_t>(index)]};
}

int row_at(const level& at, int y) {
  for (size_t i = static_cast<size_t>(at.first_shown); i < at.entries.size(); ++i) {
    const RECT row = row_rect(at, static_cast<int>(i));
    if (y >= row.top && y < row.bottom) return static_cast<int>(i);
  }
  return -1;
}

void keep_selected_shown(level& at) {
  if (at.selected < 0) return;
  RECT client;
  GetClientRect(at.window, &client);
  if (at.selected < at.first_shown) at.first_shown = at.selected;
  while (at.first_shown < at.selected && row_rect(at, at.selected).bottom > client.bottom) ++at.first_shown;
}

void draw_check(HDC dc, const RECT& row, const level& at, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, scaled(2, at.dpi), color);
  HGDIOBJ previous = SelectObject(dc, pen);
  const int x = row.left + at.check_width / 4, mid = (row.top + row.bottom) / 2, unit = at.check_width / 6;
  POINT mark[3] = {{x, mid}, {x + unit, mid + unit}, {x + 3 * unit, mid - 2 * unit}};
  Polyline(dc, mark, 3);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void draw_arrow(HDC dc, const RECT& row, const level& at, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, pen);
  const int half = scaled(4, at.dpi), x = row.right - at.check_width / 2 - half / 2, mid = (row.top + row.bottom) / 2;
  POINT arrow[3] = {{x, mid - half}, {x + half, mid}, {x, mid + half}};
  Polygon(dc, arrow, 3);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void draw_entry(HDC dc, const level& at, int index) {
  const list_entry& entry = at.entries[static_cast<size_t>(index)];
  const RECT row = row_rect(at, index);
  if (entry.what == list_entry::kind::separator) {
    RECT line{row.left + scaled(2, at.dpi), (row.top + row.bottom) / 2 - 1, row.right - scaled(2, at.dpi), row.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const bool selected = index == at.selected;
  FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  const COLORREF color = GetSysColor(entry.grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetTextColor(dc, color);
  const auto parts = split_label(entry.label);
  RECT text{row.left + at.check_width, row.top, row.right - at.check_width, row.bottom};
  DrawTextW(dc, parts.second.c_str(), static_cast<int>(parts.second.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  text.right -= parts.second.empty() ? 0 : at.right_text_width + scaled(24, at.dpi);
  DrawTextW(dc, parts.first.c_str(), static_cast<int>(parts.first.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
  if (entry.checked) draw_check(dc, row, at, color);
  if (entry.what == list_entry::kind::submenu) draw_arrow(dc, row, at, color);
}

void paint(level& at) {
  PAINTSTRUCT paint_info;
  HDC dc = BeginPaint(at.window, &paint_info);
  RECT client;
  GetClientRect(at.window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
  HGDIOBJ previous = SelectObject(dc, at.font);
  SetBkMode(dc, TRANSPARENT);
  for (int i = at.first_shown; i < static_cast<int>(at.entries.size()); ++i) {
    if (row_rect(at, i).top >= client.bottom) break;
    draw_entry(dc, at, i);
  }
  SelectObject(dc, previous);
  EndPaint(at.window, &paint_info);
}

void select(level& at, int index) {
  if (index == at.selected) return;
  at.selected = index;
  keep_selected_shown(at);
  InvalidateRect(at.window, nullptr, TRUE);
}

void close_levels_after(size_t kept) {
  while (list.levels.size() > kept) {
    level& last = list.levels.back();
    DestroyWindow(last.window);
    if (last.font != nullptr) DeleteObject(last.font);
    list.levels.pop_back();
  }
}

LRESULT CALLBACK list_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

bool register_list_class() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DROPSHADOW;
  window_class.lpfnWndProc = list_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.lpszClassName = list_class_name;
  registered = RegisterClassExW(&window_class) != 0;
  return registered;
}

// A level at point, over the row (flip_x, flip_y) it opens from; false when no window
// could be made.
bool open_level(std::vector<list_entry> entries, POINT point, int flip_x, int flip_y) {
  if (!register_list_class()) return false;
  level opened;
  opened.entries = std::move(entries);
  opened.window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, list_class_name, L"",
                                  WS_POPUP | WS_BORDER, point.x, point.y, 1, 1, nullptr, nullptr, instance, nullptr);
  if (opened.window == nullptr) return false;
  opened.dpi = dpi_of_window(opened.window);
  measure(opened);
  describe(opened);
  list.levels.push_back(std::move(opened));
  place(list.levels.back(), point, flip_x, flip_y);
  return true;
}

void open_submenu(size_t at, int index, bool select_first) {
  close_levels_after(at + 1);
  level& parent = list.levels[at];
  const list_entry& entry = parent.entries[static_cast<size_t>(index)];
  // The menu's own preparation runs as it does before a menu shows it.
  SendMessageW(main_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(entry.submenu), 0);
  RECT row = row_rect(parent, index);
  MapWindowPoints(parent.window, nullptr, reinterpret_cast<POINT*>(&row), 2);
  RECT frame;
  GetWindowRect(parent.window, &frame);
  if (!open_level(entries_of_menu(entry.submenu), POINT{frame.right, row.top}, frame.left, row.bottom)) return;
  if (select_first && !list.levels.back().entries.empty()) {
    level& opened = list.levels.back();
    for (size_t i = 0; i < opened.entries.size(); ++i)
      if (selectable(opened.entries[i])) {
        select(opened, static_cast<int>(i));
        break;
      }
  }
}

void choose(size_t at, int index, bool by_key) {
  const list_entry& entry = list.levels[at].entries[static_cast<size_t>(index)];
  if (!selectable(entry) || entry.grayed) return;
  if (entry.what == list_entry::kind::submenu) {
    open_submenu(at, index, by_key);
    return;
  }
  const list_entry chosen = entry;
  const list_choice on_choice = list.on_choice;
  close_clip_list();
  on_choice(chosen);
}

// The next selectable entry from `from` in steps of `step`, wrapping round as a menu does.
int next_selectable(const level& at, int from, int step) {
  const int count = static_cast<int>(at.entries.size());
  for (int i = 1; i <= count; ++i) {
    const int candidate = ((from + step * i) % count + count) % count;
    if (selectable(at.entries[static_cast<size_t>(candidate)])) return candidate;
  }
  return -1;
}

// Moves by a page, stopping at the ends rather than wrapping.
int page_from(const level& at, int step) {
  RECT client;
  GetClientRect(at.window, &client);
  const int rows = client.bottom / (at.row_height > 0 ? at.row_height : 1);
  const int count = static_cast<int>(at.entries.size());
  int target = (at.selected < 0 ? 0 : at.selected) + step * (rows > 1 ? rows - 1 : 1);
  target = target < 0 ? 0 : target >= count ? count - 1 : target;
  if (selectable(at.entries[static_cast<size_t>(target)])) return target;
  return next_selectable(at, target, step > 0 ? -1 : 1);
}

void on_key(UINT vk) {
  if (list.levels.empty()) return;
  const size_t deepest = list.levels.size() - 1;
  level& at = list.levels[deepest];
  if (at.entries.empty()) {
    if (vk == VK_ESCAPE || vk == VK_LEFT) deepest == 0 ? close_clip_list() : close_levels_after(deepest);
    return;
  }
  switch (vk) {
    case VK_DOWN: select(at, next_selectable(at, at.selected < 0 ? -1 : at.selected, 1)); return;
    case VK_UP: select(at, next_selectable(at, at.selected < 0 ? 0 : at.selected, -1)); return;
    case VK_HOME: select(at, next_selectable(at, -1, 1)); return;
    case VK_END: select(at, next_selectable(at, 0, -1)); return;
    case VK_PRIOR: select(at, page_from(at, -1)); return;
    case VK_NEXT: select(at, page_from(at, 1)); return;
    case VK_RETURN:
      if (at.selected >= 0)
        choose(deepest, at.selected, true);
      else
        close_clip_list();
      return;
    case VK_ESCAPE:
    case VK_LEFT:
      if (deepest > 0)
        close_levels_after(deepest);
      else if (vk == VK_ESCAPE)
        close_clip_list();
      return;
    case VK_RIGHT:
      if (at.selected >= 0 && at.entries[static_cast<size_t>(at.selected)].what == list_entry::kind::submenu)
        choose(deepest, at.selected, true);
      return;
    default: {
      const int index = entry_with_mnemonic(at, character_of_key(vk));
      if (index >= 0) {
        select(at, index);
        choose(deepest, index, true);
      }
    }
  }
}

void on_mouse_move(size_t at, LPARAM position) {
  level& hovered = list.levels[at];
  const int index = row_at(hovered, GET_Y_LPARAM(position));
  if (index < 0 || index == hovered.selected || !selectable(hovered.entries[static_cast<size_t>(index)])) return;
  close_levels_after(at + 1);
  select(hovered, index);
}

void on_click(size_t at, LPARAM position) {
  const int index = row_at(list.levels[at], GET_Y_LPARAM(position));
  if (index >= 0) choose(at, index, false);
}

LRESULT CALLBACK list_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const int at = level_of(window);
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT:
      if (at < 0) break;
      paint(list.levels[static_cast<size_t>(at)]);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
      if (at >= 0) on_mouse_move(static_cast<size_t>(at), lparam);
      return 0;
    case WM_LBUTTONUP:
      if (at >= 0) on_click(static_cast<size_t>(at), lparam);
      return 0;
    case WM_TIMER:
      if (list.target != nullptr && GetForegroundWindow() != list.target) close_clip_list();
      return 0;
    case list_key_message: on_key(static_cast<UINT>(wparam)); return 0;
    case list_close_message: close_clip_list(); return 0;
    // A list stays where it opened: it lives for a moment and sits by the caret.
    case WM_DPICHANGED: return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

std::vector<list_entry> entries_of_menu(HMENU menu) {
  std::vector<list_entry> entries;
  const int count = GetMenuItemCount(menu);
  for (int p = 0; p < count; ++p) {
    wchar_t text[512];
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
    item.dwTypeData = text;
    item.cch = sizeof text / sizeof text[0];
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &item)) continue;
    list_entry entry{list_entry::kind::command, std::wstring(), menu, item.wID, 0, item.hSubMenu,
                     (item.fState & MFS_GRAYED) != 0, (item.fState & MFS_CHECKED) != 0};
    if ((item.fType & MFT_SEPARATOR) != 0) {
      entry.what = list_entry::kind::separator;
    } else {
      entry.label.assign(text, item.cch);
      if (item.hSubMenu != nullptr) entry.what = list_entry::kind::submenu;
      entry.number = item.dwItemData <= 0x7fffffff ? static_cast<int>(item.dwItemData) : 0;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool open_clip_list(std::vector<list_entry> entries, POINT at, int flip_y, HWND target, UINT held_key,
                    list_choice on_choice) {
  close_clip_list();
  list.target = target;
  list.on_choice = on_choice;
  list.closing = false;
  // The keys are ours before the list shows: a key pressed the moment it appears must
  // not reach the target.
  if (!start_list_keys(held_key) || !open_level(std::move(entries), at, at.x, flip_y)) {
    close_clip_list();
    return false;
  }
  SetTimer(list.levels[0].window, foreground_timer, foreground_poll_ms, nullptr);
  hold_for_clip_list(true);
  return true;
}

void close_clip_list() {
  stop_list_keys();
  close_levels_after(0);
  list.target = nullptr;
  list.closing = false;
  hold_for_clip_list(false);
}

bool clip_list_is_open() { return !list.levels.empty(); }

bool clip_list_takes(UINT vk) {
  if (list.levels.empty() || list.closing) return false;
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_RETURN: case VK_ESCAPE: return true;
    case VK_LEFT: case VK_RIGHT: return list.levels.size() > 1 || has_submenus(list.levels[0]);
    default: return entry_with_mnemonic(list.levels.back(), character_of_key(vk)) >= 0;
  }
}

void post_list_key(UINT vk) {
  if (!list.levels.empty()) PostMessageW(list.levels[0].window, list_key_message, vk, 0);
}

void post_list_close() {
  if (list.levels.empty() || list.closing) return;
  list.closing = true;
  PostMessageW(list.levels[0].window, list_close_message, 0, 0);
}

bool on_clip_list(POINT point) {
  for (const level& at : list.levels) {
    RECT frame;
    if (GetWindowRect(at.window, &frame) && PtInRect(&frame, point)) return true;
  }
  return false;
}
