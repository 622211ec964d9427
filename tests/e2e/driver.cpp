// Drives the running program from outside, as another program on the desktop would:
//   driver wait          waits until the main window exists
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
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/single_instance.h"

namespace {

// The instance of the folder the driver runs in, when one answers; else any.
HWND find_main_window() {
  HWND here = running_instance_here("dovane_clip");
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

// The clipboard needs a window as its owner, or SetClipboardData refuses the data.
int put_private_text(const char* text) {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (owner == nullptr || !OpenClipboard(owner)) return 1;
  EmptyClipboard();
  const DWORD marker = 0;
  const bool put = SetClipboardData(CF_TEXT, global_copy(text, std::strlen(text) + 1)) != nullptr &&
                   SetClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
                                    global_copy(&marker, sizeof marker)) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
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
  char name[256];
  GetWindowTextA(window, name, sizeof name);
  if (search->name == nullptr) {
    std::printf("%s\n", name);
    return TRUE;
  }
  if (std::strcmp(name, search->name) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find_program_window(HWND main_window, const char* name) {
  window_search search{0, name, nullptr};
  GetWindowThreadProcessId(main_window, &search.process);
  EnumWindows(visit_top_level, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int wait_for_window(const char* window_class) {
  for (int i = 0; i < 300; ++i) {
    if (FindWindowA(window_class, nullptr) != nullptr) return 0;
    Sleep(100);
  }
  std::fprintf(stderr, "no window of class %s\n", window_class);
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

std::string wide_to_sjis(const wchar_t* text) {
  char out[1024] = {};
  WideCharToMultiByte(932, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  return out;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::strcmp(argv[1], "wait") == 0) return wait_for_window("dovane_clip");
  if (std::strcmp(argv[1], "wait-here") == 0) {
    for (int i = 0; i < 300 && running_instance_here("dovane_clip") == nullptr; ++i) Sleep(100);
    return running_instance_here("dovane_clip") != nullptr ? 0 : 1;
  }
  if (std::strcmp(argv[1], "find-class") == 0 && argc > 2) return wait_for_window(argv[2]);
  if (std::strcmp(argv[1], "close-class") == 0 && argc > 2)
    return PostMessageA(FindWindowA(argv[2], nullptr), WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "private") == 0 && argc > 2) return put_private_text(argv[2]);
  if (std::strcmp(argv[1], "balloon") == 0 && argc > 2) return print_balloon(std::atoi(argv[2]));
  if (std::strcmp(argv[1], "work-area") == 0) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    print_rect(work);
    return 0;
  }
  HWND main_window = find_main_window();
  if (main_window == nullptr) return 1;
  if (std::strcmp(argv[1], "close") == 0) return PostMessageA(main_window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "show") == 0) return PostMessageA(main_window, WM_COMMAND, 40043, 0) ? 0 : 1;
  if (std::strcmp(argv[1], "command") == 0 && argc > 2)
    return PostMessageA(main_window, WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : 1;
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
    return edit != nullptr && SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3])) ? 0 : 1;
  }
  return 2;
}
