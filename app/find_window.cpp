#include "app/find_window.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/clip_display.h"
#include "app/dpi.h"
#include "app/find_rows.h"
#include "app/forget_commands.h"
#include "app/res/resource_ids.h"
#include "app/ui_text.h"
#include "history/backup_files.h"
#include "history/history_streams.h"
#include "settings/settings_values.h"

const wchar_t find_window_class[] = L"dovane_find";

namespace {

constexpr int edit_id = 1;
constexpr int count_id = 2;
constexpr int list_id = 3;
constexpr int text_id = 4;
constexpr UINT_PTR work_timer = 1;
constexpr UINT_PTR look_timer = 2;
constexpr UINT continue_message = WM_APP + 1;
constexpr UINT look_message = WM_APP + 2;
constexpr UINT text_message = WM_APP + 3;
// A slice of work leaves the message loop this soon, so typing never waits on it.
// Time is looked at between steps, so a step is kept to a few milliseconds.
constexpr double slice_ms = 20;
constexpr std::size_t build_step = 512 << 10;
constexpr std::size_t query_step = 2 << 20;
// Sizes at 96 DPI.
constexpr int window_width = 760;
constexpr int window_height = 460;
constexpr int font_size = 14;
// Said where the count stands, which the next list replaces.
const char row_gone_note[] = "その行は消えました";

struct find_state {
  HWND window = nullptr;
  HWND edit = nullptr, count = nullptr, list = nullptr, text = nullptr;
  HFONT font = nullptr;
  WNDPROC edit_procedure = nullptr;
  int dpi = default_dpi;
  int row_height = 16;
  int ring_stamp = 0;
  int index_generation = 0;  // of the history's index when the labels were made
  bool rows_due = false;   // an answer is being made that the list does not show yet
  bool scheduled = false;  // a slice of work is waiting for its message
  std::wstring shown_text;  // what the text pane shows, as the edit holds it
  paste_target came_from{};
  bool back_on_escape = false;
  clip_finder finder;
  find_rows rows;
};
find_state* state = nullptr;

double now_ms() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string grouped(int number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

// An edit shows a line break only as CR LF.
void show_text(const char* text) {
  std::wstring shown;
  for (const wchar_t c : clip_whole_text(text)) {
    if (c == L'\n' && (shown.empty() || shown.back() != L'\r')) shown += L'\r';
    shown += c;
  }
  // Laying out an edit's text is slow; successive keys often keep the same clip on top.
  if (shown == state->shown_text) return;
  state->shown_text = shown;
  SetWindowTextW(state->text, shown.c_str());
}

// Another history file on show: the rows' numbers are the old file's, so nothing is read
// by them until the finder has been made anew, which is asked for (not done while the
// list is being drawn).
bool history_switched() {
  if (state->finder.name() == history_file) return false;
  PostMessageW(state->window, look_message, 0, 0);
  return true;
}

void show_selected() {
  if (history_switched()) return;
  const LRESULT at = SendMessageW(state->list, LB_GETCURSEL, 0, 0);
  std::unique_ptr<char[]> text(new char[clip_size]);
  text[0] = '\0';
  if (at != LB_ERR && static_cast<std::size_t>(at) < state->rows.size())
    state->rows.text_of(state->rows.at(static_cast<std::size_t>(at)), text.get());
  show_text(text.get());
}

void show_rows() {
  state->rows.make(state->finder);
  SendMessageW(state->list, LB_SETCOUNT, state->rows.size(), 0);
  SendMessageW(state->list, LB_SETCURSEL, state->rows.size() > 0 ? 0 : static_cast<WPARAM>(-1), 0);
  const std::string count = grouped(state->rows.count_in_all()) + " 件";
  set_window_text_sjis(state->count, count);
  InvalidateRect(state->list, nullptr, TRUE);
  // The list first: laying out the text pane takes longer than finding the clips.
  PostMessageW(state->window, text_message, 0, 0);
}

// Builds and searches until the answer is there or the slice's time is up; true when
// the rows are shown.
bool work(double budget_ms) {
  const double start = now_ms();
  clip_finder& finder = state->finder;
  while (now_ms() - start < budget_ms) {
    if (!finder.built()) {
      finder.build_slice(build_step);
    } else if (!finder.answered()) {
      finder.query_slice(query_step);
    } else {
      if (state->rows_due) show_rows();
      state->rows_due = false;
      return true;
    }
  }
  return false;
}

void work_on() {
  state->scheduled = false;
  if (work(slice_ms)) return;
  state->scheduled = true;
  if (!state->finder.built()) set_window_text_sjis(state->count, "読み込み中...");
  // Keys and clicks that wait go first: the next slice then waits for a timer, which
  // comes after them; otherwise it follows at once.
  if (HIWORD(GetQueueStatus(QS_INPUT)) != 0)
    SetTimer(state->window, work_timer, 1, nullptr);
  else
    PostMessageW(state->window, continue_message, 0, 0);
}

// A key's search starts within its message; a window's first, with a message of its own,
// so opening the window takes no slice of the search.
void start_query(bool within_message = true) {
  char query[512];
  read_window_text(state->edit, query);
  state->finder.start_query(query);
  state->rows_due = true;
  if (state->scheduled) return;
  if (within_message) {
    work_on();
    return;
  }
  state->scheduled = true;
  PostMessageW(state->window, continue_message, 0, 0);
}

// A changed file or ring takes the rows with it at once: a row is never shown over
// another record than the one it was found in.
bool look_at_sources() {
  const clip_finder::change change = state->finder.refresh(history_file);
  // Rows read their texts by the history's index, which must stand for the file as the
  // finder now sees it.
  history_index.refresh(history_file);
  const bool index_changed = history_index.generation() != state->index_generation;
  const bool ring_changed = find_rows::ring_stamp() != state->ring_stamp;
  const bool drawers_changed = state->rows.drawers_changed();
  if (change == clip_finder::change::none && !ring_changed && !drawers_changed && !index_changed) return false;
  state->index_generation = history_index.generation();
  state->ring_stamp = find_rows::ring_stamp();
  state->rows.forget_labels();
  if (drawers_changed) state->rows.load_drawers();
  if (change == clip_finder::change::rebuilt) {
    state->rows.clear();
    SendMessageW(state->list, LB_SETCOUNT, 0, 0);
    show_text("");
  }
  start_query();
  return true;
}

void finish_list() {
  while ((!state->finder.answered() || state->rows_due) && !work(1000)) {
  }
}

// What is put back is the row the user sees, as the files now hold it: a row whose
// clip another program changed or removed since is not put back, and the user is told.
void choose_selected(bool close) {
  finish_list();
  const LRESULT at = SendMessageW(state->list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR || static_cast<std::size_t>(at) >= state->rows.size()) return;
  const find_row row = state->rows.at(static_cast<std::size_t>(at));
  const std::wstring seen = state->rows.label_of(row);
  if (look_at_sources()) finish_list();
  const DWORD before = GetClipboardSequenceNumber();
  if (state->rows.label_of(row) != seen || !state->rows.choose(row)) {
    set_window_text_sjis(state->count, row_gone_note);
    return;
  }
  // Only the clip put back may be pasted, never what the clipboard held before.
  const bool clip_put = GetClipboardSequenceNumber() != before;
  if (!close) {
    SetFocus(state->edit);
    return;
  }
  // The state goes with the window.
  const paste_target target = state->came_from;
  DestroyWindow(state->window);
  if (paste_on_choice == 1 && clip_put) paste_into(target);
}

// The row selected, as the list shows it for the files as they are now, is forgotten
// once the user agrees.
void forget_selected() {
  const bool changed = look_at_sources();
  while ((changed || !state->finder.answered() || state->rows_due) && !work(1000)) {
  }
  const LRESULT at = SendMessageW(state->list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR || static_cast<std::size_t>(at) >= state->rows.size()) return;
  std::unique_ptr<char[]> text(new char[clip_size]);
  if (!state->rows.text_of(state->rows.at(static_cast<std::size_t>(at)), text.get())) return;
  ask_and_forget(state->window, text.get());
  if (state != nullptr) SetFocus(state->edit);
}

// Delete edits the query while there is something after the caret to delete.
bool nothing_to_delete(HWND edit) {
  DWORD from = 0, to = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return from == to && static_cast<int>(to) >= GetWindowTextLengthW(edit);
}

void offer_row_menu(LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    RECT list;
    GetWindowRect(state->list, &list);
    point = POINT{list.left + 8, list.top + 8};
  } else {
    POINT in_list = point;
    ScreenToClient(state->list, &in_list);
    const LRESULT item = SendMessageW(state->list, LB_ITEMFROMPOINT, 0, MAKELPARAM(in_list.x, in_list.y));
    if (HIWORD(item) != 0 || LOWORD(item) >= state->rows.size()) return;
    SendMessageW(state->list, LB_SETCURSEL, LOWORD(item), 0);
    show_selected();
  }
  HMENU menus = LoadMenuW(instance, L"find_j");
  const int chosen = TrackPopupMenu(GetSubMenu(menus, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0,
                                    state->window, nullptr);
  DestroyMenu(menus);
  if (chosen == CMD_FORGET_RECORD) forget_selected();
}

void close_unchanged() {
  const paste_target target = state->came_from;
  const bool back = state->back_on_escape;
  DestroyWindow(state->window);
  if (back) return_to(target);
}

void move_selection(int step) {
  const int rows = static_cast<int>(state->rows.size());
  if (rows == 0) return;
  int at = static_cast<int>(SendMessageW(state->list, LB_GETCURSEL, 0, 0)) + step;
  at = at < 0 ? 0 : at >= rows ? rows - 1 : at;
  SendMessageW(state->list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  show_selected();
}

LRESULT CALLBACK edit_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN) {
    switch (wparam) {
      case VK_DOWN: move_selection(1); return 0;
      case VK_UP: move_selection(-1); return 0;
      case VK_NEXT: move_selection(10); return 0;
      case VK_PRIOR: move_selection(-10); return 0;
      case VK_RETURN: choose_selected(GetKeyState(VK_CONTROL) >= 0); return 0;
      case VK_ESCAPE: close_unchanged(); return 0;
      case VK_DELETE:
        if (!nothing_to_delete(edit)) break;
        forget_selected();
        return 0;
      default: break;
    }
  }
  // The characters those keys make would only beep.
  if (message == WM_CHAR && (wparam == '\r' || wparam == '\n' || wparam == 0x1B)) return 0;
  return CallWindowProcW(state->edit_procedure, edit, message, wparam, lparam);
}

void draw_row(const DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= state->rows.size() || history_switched()) return;
  const wchar_t* label = state->rows.label_of(state->rows.at(item.itemID));
  HGDIOBJ previous = SelectObject(item.hDC, state->font);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = item.rcItem;
  text.left += scaled(4, state->dpi);
  DrawTextW(item.hDC, label, -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(item.hDC, previous);
}

void lay_out(int width, int height) {
  const auto at_dpi = [](int length) { return scaled(length, state->dpi); };
  const int line = state->row_height + at_dpi(8);
  const int count_width = at_dpi(140);
  const int gap = at_dpi(4);
  MoveWindow(state->edit, gap, gap, width - count_width - 3 * gap, line, TRUE);
  MoveWindow(state->count, width - count_width - gap, 2 * gap, count_width, line - gap, TRUE);
  const int top = line + 2 * gap;
  const int list_width = (width - 3 * gap) / 2;
  MoveWindow(state->list, gap, top, list_width, height - top - gap, TRUE);
  MoveWindow(state->text, list_width + 2 * gap, top, width - list_width - 3 * gap, height - top - gap, TRUE);
}

HWND make_child(const wchar_t* window_class, DWORD style, int id) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, state->window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void give_font() {
  for (HWND child : {state->edit, state->count, state->list, state->text})
    if (child != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), TRUE);
  if (state->list != nullptr) SendMessageW(state->list, LB_SETITEMHEIGHT, 0, state->row_height);
}

// The font and the rows for dpi, given to every child there is.
void use_dpi(int dpi) {
  state->dpi = dpi;
  HFONT replaced = state->font;
  // DEFAULT_CHARSET, so Shift_JIS reads as Japanese.
  state->font = CreateFontW(-scaled(font_size, dpi), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                            L"ＭＳ Ｐゴシック");
  state->row_height = measure_font(state->font).height + scaled(2, dpi);
  give_font();
  if (replaced != nullptr) DeleteObject(replaced);
}

void create_children(HWND window) {
  state->window = window;
  use_dpi(dpi_of_window(window));
  state->edit = make_child(L"edit", WS_TABSTOP | ES_AUTOHSCROLL, edit_id);
  state->count = CreateWindowExW(0, L"static", L"", WS_CHILD | WS_VISIBLE | SS_RIGHT, 0, 0, 0, 0, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(count_id)), instance, nullptr);
  state->list = make_child(L"listbox", WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           list_id);
  state->text = make_child(L"edit", WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, text_id);
  state->edit_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(state->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_procedure)));
  give_font();
}

void on_dpi_changed(WPARAM wparam, LPARAM lparam) {
  use_dpi(dpi_from_message(wparam));
  move_to_suggested(state->window, lparam);
  RECT client;
  GetClientRect(state->window, &client);
  lay_out(client.right, client.bottom);
  InvalidateRect(state->window, nullptr, TRUE);
}

void on_command(WPARAM wparam) {
  const int id = LOWORD(wparam);
  const int notification = HIWORD(wparam);
  if (id == edit_id && notification == EN_CHANGE) start_query();
  if (id == list_id && notification == LBN_SELCHANGE) {
    show_selected();
    SetFocus(state->edit);
  }
  if (id == list_id && notification == LBN_DBLCLK) choose_selected(true);
}

void on_timer(WPARAM timer) {
  if (timer == work_timer) {
    KillTimer(state->window, work_timer);
    work_on();
  } else if (timer == look_timer) {
    look_at_sources();
  }
}

LRESULT CALLBACK find_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = static_cast<UINT>(state->row_height);
      return TRUE;
    case WM_DRAWITEM: draw_row(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_SIZE: lay_out(LOWORD(lparam), HIWORD(lparam)); return 0;
    case WM_DPICHANGED: on_dpi_changed(wparam, lparam); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetFocus(state->edit);
      return 0;
    case WM_COMMAND: on_command(wparam); return 0;
    case WM_CONTEXTMENU:
      // Elsewhere (the caption's window menu) as any window.
      if (reinterpret_cast<HWND>(wparam) != state->list) return DefWindowProcW(window, message, wparam, lparam);
      offer_row_menu(lparam);
      return 0;
    case WM_TIMER: on_timer(wparam); return 0;
    case continue_message: work_on(); return 0;
    case look_message: look_at_sources(); return 0;
    case text_message: show_selected(); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_NCDESTROY:
      // The children are gone by now, the edit that calls through the state included.
      KillTimer(window, work_timer);
      KillTimer(window, look_timer);
      DeleteObject(state->font);
      // Everything the search held goes back now.
      delete state;
      state = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

// Records added while the window is open are told from older ones that fold alike by
// their stored text.
bool read_found_record(int number, char* out) { return state->rows.read_found(state->finder, number, out); }

// The backups hold the default history's older clips, not those of another file on show.
std::vector<listed_file> backups_of_history() {
  if (std::strcmp(history_file, history_append_file) != 0) return {};
  return numbered_backups();
}

bool register_find_class() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(instance, find_window_class, &window_class)) return true;
  window_class.lpfnWndProc = find_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = find_window_class;
  return RegisterClassExW(&window_class) != 0;
}

}  // namespace

HWND find_window() { return state != nullptr ? state->window : nullptr; }

bool find_window_busy() {
  return state != nullptr && (!state->finder.built() || !state->finder.answered() || state->rows_due);
}

void open_find_window() { open_find_window(last_outside_target(), false); }

void open_find_window(const paste_target& came_from, bool back_on_escape) {
  if (state != nullptr) {
    // Asked for from the window itself, the user still came from where they came from.
    if (came_from.window != state->window) {
      state->came_from = came_from;
      state->back_on_escape = back_on_escape;
    }
    SetForegroundWindow(state->window);
    SetFocus(state->edit);
    return;
  }
  if (!register_find_class()) return;
  state = new find_state;
  state->came_from = came_from;
  state->back_on_escape = back_on_escape;
  // WM_MEASUREITEM comes while the list is made, so the state is there before the window.
  HWND window = CreateWindowExW(0, find_window_class, wide_from_sjis("検索窓").c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                window_width, window_height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    delete state;
    state = nullptr;
    return;
  }
  create_children(window);
  SetWindowPos(window, nullptr, 0, 0, scaled(window_width, state->dpi), scaled(window_height, state->dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window, &client);
  lay_out(client.right, client.bottom);
  state->rows.load_drawers();
  state->ring_stamp = find_rows::ring_stamp();
  history_index.refresh(history_file);
  state->index_generation = history_index.generation();
  state->finder.set_record_reader(read_found_record);
  state->finder.set_older_lister(backups_of_history);
  state->finder.start_build(history_file);
  SetTimer(window, look_timer, 500, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetFocus(state->edit);
  start_query(false);
}

void find_window_close_files() {
  if (state == nullptr) return;
  state->rows.release();
  state->finder.release();
}

void find_window_read_again() {
  if (state == nullptr) return;
  state->rows.load_drawers();
  state->ring_stamp = find_rows::ring_stamp();
  state->finder.start_build(history_file);
  SendMessageW(state->list, LB_SETCOUNT, 0, 0);
  show_text("");
  start_query();
}
