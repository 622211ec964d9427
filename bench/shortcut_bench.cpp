// Times the shortcut's menu and paste as a user meets them, against the running program
// and Wine's notepad: from the shortcut key to the menu on screen, and from the digit
// that chooses a clip to the clip's text in notepad's edit. Keys go in through SendInput,
// as the keyboard's do. Prints the median of 20 rounds of each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/bench_timing.h"

namespace {

constexpr int rounds = 20;

void press(std::vector<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    inputs.push_back(input);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(*key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool menu_open() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu);
}

int text_length(HWND edit) { return static_cast<int>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)); }

// Spins on condition for at most 5 s; the time it took, or -1.
template <typename condition_type>
double time_until(condition_type condition) {
  const double start = now_ms();
  while (!condition()) {
    if (now_ms() - start > 5000) return -1;
    Sleep(0);
  }
  return now_ms() - start;
}

int fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  return 1;
}

}  // namespace

int main() {
  HWND notepad = FindWindowA("Notepad", nullptr);
  HWND edit = notepad != nullptr ? FindWindowExA(notepad, nullptr, "Edit", nullptr) : nullptr;
  if (edit == nullptr) {
    std::fprintf(stderr, "no notepad\n");
    return 1;
  }
  std::vector<double> to_menu, to_text;
  for (int round = 0; round < rounds; ++round) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SetForegroundWindow(notepad);
    if (time_until([&] { return GetForegroundWindow() == notepad && !menu_open(); }) < 0)
      return fail("notepad never came to the front");
    double start = now_ms();
    press({VK_CONTROL, VK_SHIFT, 'V'});
    if (time_until(menu_open) < 0) return fail("no menu opened");
    to_menu.push_back(now_ms() - start);
    start = now_ms();
    press({'2'});
    if (time_until([&] { return text_length(edit) > 0; }) < 0) return fail("nothing was pasted");
    to_text.push_back(now_ms() - start);
  }
  std::printf("shortcut key -> menu on screen: median %.1f ms of %d rounds (min %.1f, max %.1f)\n", median(to_menu),
              rounds, *std::min_element(to_menu.begin(), to_menu.end()),
              *std::max_element(to_menu.begin(), to_menu.end()));
  std::printf("digit chosen -> text in notepad: median %.1f ms of %d rounds (min %.1f, max %.1f)\n", median(to_text),
              rounds, *std::min_element(to_text.begin(), to_text.end()),
              *std::max_element(to_text.begin(), to_text.end()));
  return 0;
}
