// Drives the running program from outside, as another program on the desktop would:
//   driver wait          waits until the main window exists and its program is ready
//   driver code-page     prints the system's ANSI code page
//   driver close         sends WM_CLOSE to the main window
//   driver wait-here     waits for the instance whose data folder is the current one
//   driver command ID    sends WM_COMMAND ID to the main window
//   driver show          shows the main window (its "開く" command)
//   driver private TEXT  puts TEXT on the clipboard marked as not for clipboard history,
//                        as a password manager does
//   driver names         prints the names of the program's visible top-level windows, one
//                        a line (Shift_JIS), as a taskbar or task switcher reads them
//   driver type NAME TEXT  sets the text of the edit in the program's window NAME, as if
//                        the user had typed it
//   driver menu NAME ID  chooses menu command ID of the program's window NAME
//   driver find-class C  waits until a top-level window of class C (of any program) exists
//   driver close-class C closes the top-level window of class C
//   driver rect NAME     prints the screen rectangle of the program's window NAME ("." the
//                        main window)
//   driver move NAME L T R B  moves and sizes the program's window NAME as a user's drag
//                        does: the window ends at the rectangle, then hears the drag end
//   driver work-area     prints the desktop's work area
//   driver balloon SEC   waits up to SEC seconds for a balloon from the notification area
//                        and prints its title and text (Shift_JIS); 1 when none showed
//   driver notepad-set TEXT N [M]  sets the text of notepad's edit and puts its caret after N
//                        bytes, or selects bytes N to M
//   driver focus-edit    prints the focus of the foreground window: "window CLASS", "focus
//                        CLASS", "text TEXT" and "selection START END"
//   driver notepad-text  prints the text of notepad's edit
//   driver notepad-close closes notepad without asking to save
//   driver notepad-state prints what the user would see: whether notepad is the foreground
//                        window and its edit has the focus, the edit's selection, its caret
//                        and the open popup menu (screen rectangles; "none" when there is none)
//   driver focus         prints the classes of the active window and of the focus
//   driver menus         prints the screen rectangle of every open popup menu, one a line
//   driver list          prints each open level of the shortcut's clip list, the top one
//                        first: "level L T R B", then its entries, one a line (UTF-8)
//   driver target        a window with an edit that prints, one a line, every focus and
//                        activation change it sees, until it is closed
//   driver hold-hotkey MODS VK SECONDS  holds a shortcut key as another program would
//   driver copy-and-hold TEXT MS  puts TEXT on the clipboard and keeps the clipboard open
//                        MS milliseconds longer, as busy programs do
//   driver hold-file FILE MARKER  opens FILE (sharing reading and writing, not deletion),
//                        makes FILE.held and holds FILE until the file MARKER exists
//   driver dialog NAME VERB ID [VALUE]  in the program's dialog NAME: "hotkey" records
//                        VALUE (key code + 256 * flags) in the hot-key control ID, "check"
//                        sets check box ID to VALUE, "click" presses button ID, "text"
//                        prints the text of control ID
//   driver shortcuts startup|programs  prints each shortcut of the user's Startup or Start
//                        menu folder: name, target and start-in folder (UTF-8)
//   driver version-info FILE  prints the version resource of FILE (UTF-8)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "app/single_instance.h"
#include "tests/e2e/driver_install.h"

namespace {

// Texts cross to the windows as code page 932 whatever the system's code page, so the
// driver reads and prints the same Shift_JIS under every LANG.
std::wstring sjis_to_wide(const char* text) {
  std::wstring out(std::strlen(text) + 1, L'\0');
  const int units = MultiByteToWideChar(932, 0, text, -1, &out[0], static_cast<int>(out.size()));
  out.resize(units > 0 ? static_cast<size_t>(units) - 1 : 0);
  return out;
}

std::string wide_to_sjis(const wchar_t* text) {
  std::string out(2 * std::wcslen(text) + 1, '\0');
  const int bytes = WideCharToMultiByte(932, 0, text, -1, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(bytes > 0 ? static_cast<size_t>(bytes) - 1 : 0);
  return out;
}

// The arguments as Unicode gave them, in Shift_JIS: the ANSI argv of a code page without
// Japanese holds only question marks.
std::vector<std::string> sjis_arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(wide_to_sjis(wide[i]));
  LocalFree(wide);
  return arguments;
}

// The instance of the folder the driver runs in, when one answers; else any.
HWND find_main_window() {
  HWND here = running_instance_here(L"dovane_clip");
  return here != nullptr ? here : FindWindowA("dovane_clip", nullptr);
}

HGLOBAL global_copy(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
  }
  return memory;
}

// The program under test opens the clipboard to read each change, as every viewer does;
// a copying program that finds it open tries again, as real ones do.
bool open_clipboard_patiently(HWND owner) {
  for (int tries = 0; tries < 200; ++tries) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

// The clipboard needs a window as its owner, or SetClipboardData refuses the data.
int put_private_text(const char* text) {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (owner == nullptr || !open_clipboard_patiently(owner)) return 1;
  EmptyClipboard();
  const DWORD marker = 0;
  const bool put = SetClipboardData(CF_TEXT, global_copy(text, std::strlen(text) + 1)) != nullptr &&
                   SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
                                    global_copy(&marker, sizeof marker)) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}

// Puts text on the clipboard and stays its owner until another program takes the
// clipboard (at most a minute): the owner's program is looked up when the clip is read.
int put_owned_text(const char* text) {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (owner == nullptr || !OpenClipboard(owner)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_TEXT, global_copy(text, std::strlen(text) + 1)) != nullptr;
  CloseClipboard();
  for (int i = 0; put && i < 1200 && GetClipboardOwner() == owner; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(50);
  }
  return put ? 0 : 1;
}

int copy_and_hold(const char* text, DWORD hold_ms) {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (owner == nullptr || !open_clipboard_patiently(owner)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_TEXT, global_copy(text, std::strlen(text) + 1)) != nullptr;
  CloseClipboard();
  if (!open_clipboard_patiently(owner)) return 1;
  Sleep(hold_ms);
  CloseClipboard();
  return put ? 0 : 1;
}

int hold_file(const char* name, const char* marker) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::string held = std::string(name) + ".held";
  CloseHandle(CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 600 && GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  CloseHandle(file);
  return 0;
}

struct window_search {
  DWORD process;
  const char* name;  // nullptr: every visible window is printed
  HWND found;
};

// Reads names the way another program does: without asking the window.
BOOL CALLBACK visit_top_level(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<window_search*>(search_address);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  wchar_t wide_name[256] = {};
  GetWindowTextW(window, wide_name, 256);
  const std::string name = wide_to_sjis(wide_name);
  if (search->name == nullptr) {
    std::printf("%s\n", name.c_str());
    return TRUE;
  }
  if (name != search->name) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find_program_window(HWND main_window, const char* name) {
  window_search search{0, name, nullptr};
  GetWindowThreadProcessId(main_window, &search.process);
  EnumWindows(visit_top_level, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A window is there before its program has finished starting (the main window before it
// joins the clipboard chain); the program is ready once it waits for input.
int wait_until_idle(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process_id);
  if (process == nullptr) return 1;
  const DWORD waited = WaitForInputIdle(process, 30000);
  CloseHandle(process);
  if (waited == 0) return 0;
  std::fprintf(stderr, "the program of the window did not become idle (%lu)\n", waited);
  return 1;
}

int wait_for_window(const char* window_class) {
  for (int i = 0; i < 300; ++i) {
    HWND window = FindWindowA(window_class, nullptr);
    if (window != nullptr) return wait_until_idle(window);
    Sleep(100);
  }
  std::fprintf(stderr, "no window of class %s\n", window_class);
  return 1;
}

// Under Wine the program may seem idle while its start still makes its windows (the
// input method's windows answer for it); its start ends by joining the clipboard chain.
int wait_for_program() {
  if (wait_for_window("dovane_clip") != 0) return 1;
  for (int i = 0; i < 300; ++i) {
    char viewer_class[32] = "";
    HWND viewer = GetClipboardViewer();
    if (viewer != nullptr && GetClassNameA(viewer, viewer_class, sizeof viewer_class) > 0 &&
        std::strcmp(viewer_class, "dovane_clip") == 0)
      return 0;
    Sleep(100);
  }
  std::fprintf(stderr, "the program never joined the clipboard chain\n");
  return 1;
}

void print_rect(const RECT& r) { std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom); }

BOOL CALLBACK find_balloon(HWND window, LPARAM found) {
  char window_class[32];
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::strcmp(window_class, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window) ||
      (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) == 0)
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The balloon belongs to the process that shows the notification area; its tool text and
// title are read through a buffer in that process, as no pointer crosses processes.
int print_balloon(int seconds) {
  HWND balloon = nullptr;
  for (int i = 0; i < seconds * 10 && balloon == nullptr; ++i) {
    EnumWindows(find_balloon, reinterpret_cast<LPARAM>(&balloon));
    if (balloon == nullptr) Sleep(100);
  }
  if (balloon == nullptr) return 1;
  DWORD owner = 0;
  GetWindowThreadProcessId(balloon, &owner);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process == nullptr) return 3;
  constexpr SIZE_T text_chars = 512;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + sizeof(TTGETTITLE) + 2 * text_chars * sizeof(wchar_t),
                     MEM_COMMIT, PAGE_READWRITE));
  auto* remote_text = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW) + sizeof(TTGETTITLE));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = remote_text;
  TTGETTITLE title{};
  title.dwSize = sizeof title;
  title.cch = text_chars;
  title.pszTitle = remote_text + text_chars;
  WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
  WriteProcessMemory(process, remote + sizeof tool, &title, sizeof title, nullptr);
  // The first tool names itself; its text is then copied into the buffer.
  SendMessageW(balloon, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
  tool.lpszText = remote_text;
  WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
  SendMessageW(balloon, TTM_GETTEXTW, text_chars, reinterpret_cast<LPARAM>(remote));
  SendMessageW(balloon, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(remote + sizeof tool));
  wchar_t text[2 * text_chars] = {};
  ReadProcessMemory(process, remote_text, text, sizeof text - sizeof(wchar_t), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  std::printf("%s\n%s\n", wide_to_sjis(text + text_chars).c_str(), wide_to_sjis(text).c_str());
  return 0;
}

HWND notepad_edit() {
  HWND notepad = FindWindowA("Notepad", nullptr);
  return notepad != nullptr ? FindWindowExA(notepad, nullptr, "Edit", nullptr) : nullptr;
}

void print_rect(const char* name, const RECT* rect) {
  if (rect == nullptr)
    std::printf("%s none\n", name);
  else
    std::printf("%s %ld %ld %ld %ld\n", name, rect->left, rect->top, rect->right, rect->bottom);
}

int print_notepad_state() {
  HWND notepad = FindWindowA("Notepad", nullptr);
  HWND edit = notepad_edit();
  if (edit == nullptr) return 1;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(notepad, nullptr), &info);
  std::printf("foreground %s\n", GetForegroundWindow() == notepad ? "yes" : "no");
  std::printf("focus %s\n", info.hwndFocus == edit ? "yes" : "no");
  std::printf("menu-mode %s\n", (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0 ? "yes" : "no");
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::printf("selection %lu %lu\n", start, end);
  RECT caret = info.rcCaret;
  if (info.hwndCaret != nullptr) MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
  print_rect("caret", info.hwndCaret != nullptr ? &caret : nullptr);
  // A popup menu, or the shortcut's list, which stands in for one.
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu == nullptr || !IsWindowVisible(menu)) menu = FindWindowA("dovane_clip_list", nullptr);
  RECT menu_rect{};
  if (menu != nullptr) GetWindowRect(menu, &menu_rect);
  print_rect("menu", menu != nullptr && IsWindowVisible(menu) ? &menu_rect : nullptr);
  return 0;
}

int print_focus_edit() {
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (foreground == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info)) return 1;
  char window_class[64] = "none", focus_class[64] = "none", text[1024] = "";
  GetClassNameA(foreground, window_class, sizeof window_class);
  DWORD start = 0, end = 0;
  if (info.hwndFocus != nullptr) {
    GetClassNameA(info.hwndFocus, focus_class, sizeof focus_class);
    SendMessageA(info.hwndFocus, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    SendMessageA(info.hwndFocus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  std::printf("window %s\nfocus %s\ntext %s\nselection %lu %lu\n", window_class, focus_class, text, start, end);
  return 0;
}

BOOL CALLBACK print_list_level(HWND window, LPARAM) {
  wchar_t window_class[32];
  RECT rect{};
  if (!IsWindowVisible(window) || GetClassNameW(window, window_class, 32) <= 0 ||
      std::wcscmp(window_class, L"dovane_clip_list") != 0 || !GetWindowRect(window, &rect))
    return TRUE;
  std::printf("level %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  wchar_t text[8192] = {};
  GetWindowTextW(window, text, 8192);
  char out[3 * 8192] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  std::printf("%s\n", out);
  return TRUE;
}

// The test's own target: what a program the user types in would be told.
LRESULT CALLBACK target_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE: std::printf("activate %u\n", LOWORD(wparam)); break;
    case WM_ACTIVATEAPP: std::printf("activateapp %u\n", static_cast<unsigned>(wparam)); break;
    case WM_NCACTIVATE: std::printf("ncactivate %u\n", static_cast<unsigned>(wparam)); break;
    case WM_SETFOCUS: std::printf("setfocus\n"); break;
    case WM_KILLFOCUS: std::printf("killfocus\n"); break;
    case WM_COMMAND:
      if (HIWORD(wparam) == EN_CHANGE) {
        char text[1024] = "";
        GetWindowTextA(reinterpret_cast<HWND>(lparam), text, sizeof text);
        std::printf("text %s\n", text);
      }
      break;
    case WM_DESTROY: PostQuitMessage(0); break;
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

WNDPROC edit_procedure = nullptr;
LRESULT CALLBACK target_edit_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETFOCUS) std::printf("edit setfocus\n");
  if (message == WM_KILLFOCUS) std::printf("edit killfocus\n");
  return CallWindowProcW(edit_procedure, window, message, wparam, lparam);
}

int run_target() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = target_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"dovane_test_target";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"dovane_test_target", L"target", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr,
                                nullptr, window_class.hInstance, nullptr);
  HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 360, 30, window, nullptr,
                              window_class.hInstance, nullptr);
  edit_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(target_edit_procedure)));
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(edit);
  std::printf("ready\n");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int print_focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  char active[64] = "none", focus[64] = "none";
  if (GetGUIThreadInfo(0, &info) && info.hwndActive != nullptr) GetClassNameA(info.hwndActive, active, sizeof active);
  if (info.hwndFocus != nullptr) GetClassNameA(info.hwndFocus, focus, sizeof focus);
  std::printf("%s %s\n", active, focus);
  return 0;
}

BOOL CALLBACK print_menu(HWND window, LPARAM) {
  char window_class[16];
  RECT rect{};
  if (IsWindowVisible(window) && GetClassNameA(window, window_class, sizeof window_class) > 0 &&
      std::strcmp(window_class, "#32768") == 0 && GetWindowRect(window, &rect))
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return TRUE;
}

int hold_hotkey(unsigned modifiers, unsigned key, int seconds) {
  if (!RegisterHotKey(nullptr, 1, modifiers, key)) return 1;
  std::printf("held\n");
  Sleep(static_cast<DWORD>(seconds) * 1000);
  return 0;
}

int drive_dialog(HWND main_window, int argc, char** argv) {
  HWND dialog = nullptr;
  for (int i = 0; i < 50 && dialog == nullptr; ++i, Sleep(100)) dialog = find_program_window(main_window, argv[2]);
  if (dialog == nullptr) {
    std::fprintf(stderr, "no dialog named %s\n", argv[2]);
    return 1;
  }
  const char* verb = argv[3];
  const int id = std::atoi(argv[4]);
  const int value = argc > 5 ? std::atoi(argv[5]) : 0;
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return 1;
  if (std::strcmp(verb, "hotkey") == 0) return SendMessageA(control, HKM_SETHOTKEY, value, 0), 0;
  if (std::strcmp(verb, "check") == 0) return SendMessageA(control, BM_SETCHECK, value, 0), 0;
  if (std::strcmp(verb, "click") == 0)
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control)) ? 0 : 1;
  // GetWindowText of another program's control reads only its caption, not what was typed.
  wchar_t text[512] = L"";
  SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  std::printf("%s\n", wide_to_sjis(text).c_str());
  return 0;
}

}  // namespace

int main() {
  const std::vector<std::string> arguments = sjis_arguments();
  std::vector<char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(const_cast<char*>(argument.c_str()));
  const int argc = static_cast<int>(pointers.size());
  char** argv = pointers.data();
  if (argc < 2) return 2;
  if (std::strcmp(argv[1], "wait") == 0) return wait_for_program();
  if (std::strcmp(argv[1], "code-page") == 0) return std::printf("%u\n", GetACP()) > 0 ? 0 : 1;
  if (std::strcmp(argv[1], "wait-here") == 0) {
    for (int i = 0; i < 300 && running_instance_here(L"dovane_clip") == nullptr; ++i) Sleep(100);
    return running_instance_here(L"dovane_clip") != nullptr ? 0 : 1;
  }
  if (std::strcmp(argv[1], "find-class") == 0 && argc > 2) return wait_for_window(argv[2]);
  if (std::strcmp(argv[1], "close-class") == 0 && argc > 2)
    return PostMessageA(FindWindowA(argv[2], nullptr), WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "private") == 0 && argc > 2) return put_private_text(argv[2]);
  if (std::strcmp(argv[1], "copy") == 0 && argc > 2) return put_owned_text(argv[2]);
  if (std::strcmp(argv[1], "balloon") == 0 && argc > 2) return print_balloon(std::atoi(argv[2]));
  if (std::strcmp(argv[1], "copy-and-hold") == 0 && argc > 3)
    return copy_and_hold(argv[2], static_cast<DWORD>(std::atoi(argv[3])));
  if (std::strcmp(argv[1], "hold-file") == 0 && argc > 3) return hold_file(argv[2], argv[3]);
  if (std::strcmp(argv[1], "work-area") == 0) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    print_rect(work);
    return 0;
  }
  if (std::strcmp(argv[1], "shortcuts") == 0 && argc > 2) return print_shortcuts(argv[2]);
  if (std::strcmp(argv[1], "version-info") == 0 && argc > 2) return print_version_info(argv[2]);
  if (std::strcmp(argv[1], "notepad-state") == 0) return print_notepad_state();
  if (std::strcmp(argv[1], "focus") == 0) return print_focus();
  if (std::strcmp(argv[1], "focus-edit") == 0) return print_focus_edit();
  if (std::strcmp(argv[1], "menus") == 0) return EnumWindows(print_menu, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "list") == 0) return EnumWindows(print_list_level, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "target") == 0) return run_target();
  if (std::strcmp(argv[1], "hold-hotkey") == 0 && argc > 4)
    return hold_hotkey(static_cast<unsigned>(std::atoi(argv[2])), static_cast<unsigned>(std::atoi(argv[3])),
                       std::atoi(argv[4]));
  if (std::strncmp(argv[1], "notepad-", 8) == 0) {
    HWND edit = notepad_edit();
    if (edit == nullptr) return 1;
    if (argv[1][8] == 's' && argc > 3) {
      SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sjis_to_wide(argv[2]).c_str()));
      SendMessageA(edit, EM_SETSEL, std::atoi(argv[3]), std::atoi(argv[argc > 4 ? 4 : 3]));
      return 0;
    }
    if (argv[1][8] == 'c') {
      SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
      return PostMessageA(GetParent(edit), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    wchar_t text[4096] = L"";
    SendMessageW(edit, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", wide_to_sjis(text).c_str());
    return 0;
  }
  HWND main_window = find_main_window();
  if (main_window == nullptr) {
    std::fprintf(stderr, "%s: no dovane_clip window\n", argv[1]);
    return 1;
  }
  if (std::strcmp(argv[1], "close") == 0) return PostMessageA(main_window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "show") == 0) return PostMessageA(main_window, WM_COMMAND, 40043, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "command") == 0 && argc > 2)
    return PostMessageA(main_window, WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : 1;
  if (std::strcmp(argv[1], "dialog") == 0 && argc > 4) return drive_dialog(main_window, argc, argv);
  if (std::strcmp(argv[1], "names") == 0) {
    find_program_window(main_window, nullptr);
    return 0;
  }
  if (std::strcmp(argv[1], "move") == 0 && argc > 6) {
    HWND window = find_program_window(main_window, argv[2]);
    if (window == nullptr) return 1;
    const int left = std::atoi(argv[3]), top = std::atoi(argv[4]);
    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(window, nullptr, left, top, std::atoi(argv[5]) - left, std::atoi(argv[6]) - top, SWP_NOZORDER);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    return 0;
  }
  if (std::strcmp(argv[1], "rect") == 0 && argc > 2) {
    HWND window = std::strcmp(argv[2], ".") == 0 ? main_window : find_program_window(main_window, argv[2]);
    RECT r{};
    if (window == nullptr || !GetWindowRect(window, &r)) return 1;
    print_rect(r);
    return 0;
  }
  if ((std::strcmp(argv[1], "type") == 0 || std::strcmp(argv[1], "menu") == 0) && argc > 3) {
    HWND window = find_program_window(main_window, argv[2]);
    if (window == nullptr) {
      std::fprintf(stderr, "no window named %s\n", argv[2]);
      return 1;
    }
    if (argv[1][0] == 'm') return PostMessageA(window, WM_COMMAND, std::atoi(argv[3]), 0) ? 0 : 1;
    HWND edit = FindWindowExA(window, nullptr, "edit", nullptr);
    if (edit == nullptr || !SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sjis_to_wide(argv[3]).c_str())))
      return 1;
    // What a user types marks the edit changed.
    SendMessageW(edit, EM_SETMODIFY, TRUE, 0);
    return 0;
  }
  return 2;
}
