// How long the history work takes in the real program on the platform: start-up of the
// exe over long histories and re-use indexes, one step back far down a history, one
// compaction, and captures from the notification to the record on disk. Prints a table; run by hand through bench/history_bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "app/entry.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "history/navigation.h"
#include "settings/settings_file.h"
#include "settings/ui_texts.h"

namespace {

constexpr int rounds = 3;

double now_ms() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void enter_new_folder(const std::string& name) {
  CreateDirectoryA(name.c_str(), nullptr);
  SetCurrentDirectoryA(name.c_str());
}

void leave_folder() { SetCurrentDirectoryA(".."); }

// Clips of a usual length, about 60 bytes each.
void write_history(int records) {
  record_stream out;
  out.open("_clip.txt", open_mode::rewrite);
  char text[96];
  for (int n = 1; n <= records; ++n) {
    std::snprintf(text, sizeof text, "clip %d: some copied text of a usual length", n);
    write_record(out, text);
  }
}

// Entries spread evenly over the history, as re-uses made over a long time would be.
void write_reuse_index(int entries, int records) {
  record_stream out;
  out.open("_recycle_index.txt", open_mode::rewrite);
  char line[16];
  for (int i = 1; i <= entries; ++i) {
    const int length = std::snprintf(line, sizeof line, "%d\n", static_cast<int>(1LL * records * i / (entries + 1)));
    out.write(line, static_cast<size_t>(length));
  }
}

void write_text_file(const char* name, const char* text) {
  record_stream out;
  out.open(name, open_mode::rewrite);
  out.write(text, std::char_traits<char>::length(text));
}

// From process creation until the main window has run its whole create sequence and
// answers a message.
double time_startup(const char* exe) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char command_line[MAX_PATH + 2];
  std::snprintf(command_line, sizeof command_line, "\"%s\"", exe);
  const double start = now_ms();
  if (!CreateProcessA(exe, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  HWND window = nullptr;
  while (window == nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    window = FindWindowA("dovane_clip", nullptr);
    if (window == nullptr) Sleep(1);
  }
  DWORD_PTR answer = 0;
  if (window != nullptr) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
  const double elapsed = now_ms() - start;
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return window != nullptr ? elapsed : -1;
}

void bench_startup(const char* exe) {
  for (int records : {500, 5000, 50000}) {
    for (int entries : {0, 100}) {
      const std::string folder = "startup_" + std::to_string(records) + "_" + std::to_string(entries);
      enter_new_folder(folder);
      // A limit above the history keeps compaction out of this measurement.
      write_text_file("dovane_clip.ini", "[init]\nmax=1000000\n");
      write_history(records);
      write_reuse_index(entries, records);
      double best = 1e18;
      for (int round = 0; round < rounds; ++round) best = std::min(best, time_startup(exe));
      std::printf("| start-up | %d records, %d re-use entries | %.0f ms |\n", records, entries, best);
      std::fflush(stdout);
      leave_folder();
    }
  }
}

// A step back rereads the history from the top up to its target.
void bench_step_back() {
  enter_new_folder("step_back");
  write_history(100000);
  for (int position : {1000, 10000, 100000}) {
    double best = 1e18;
    for (int round = 0; round < rounds; ++round) {
      const double start = now_ms();
      close_history_streams();
      open_history_streams();
      current_index = 0;
      move_mode = move_to_position;
      move_target = position;
      move();
      best = std::min(best, now_ms() - start);
    }
    std::printf("| step back | to record %d | %.1f ms |\n", position, best);
    std::fflush(stdout);
  }
  close_history_streams();
  leave_folder();
}

void bench_compaction() {
  enter_new_folder("compaction");
  write_history(50000);
  load_settings();
  const double start = now_ms();
  compact_history();
  std::printf("| compaction | 50000 records, 500 to the backup | %.0f ms |\n", now_ms() - start);
  close_history_streams();
  leave_folder();
}

// Another window of this process owns the clipboard, as another program would; the main
// window captures synchronously inside CloseClipboard, so the time covers the whole
// capture, record flushed to disk included.
void copy_as_other_program(HWND other, const std::string& text) {
  OpenClipboard(other);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

void bench_capture() {
  enter_new_folder("capture");
  write_text_file("dovane_clip.ini", "[init]\r\nsave=history\r\n");
  HINSTANCE module = GetModuleHandleA(nullptr);
  set_ui_texts();
  register_main_class(module);
  create_main_window(module);
  HWND other = CreateWindowExA(0, "STATIC", "other program", 0, 0, 0, 10, 10, nullptr, nullptr, module, nullptr);
  double best = 1e18;
  for (int round = 0; round < rounds; ++round) {
    const std::string large(20000, static_cast<char>('A' + round));
    const double start = now_ms();
    copy_as_other_program(other, large);
    best = std::min(best, now_ms() - start);
  }
  std::printf("| capture, history saving on | one clip of 20,000 bytes | %.2f ms |\n", best);
  const double start = now_ms();
  for (int i = 0; i < 1000; ++i) copy_as_other_program(other, "clip " + std::to_string(i));
  std::printf("| capture, history saving on | 1,000 clips in a row | %.0f ms |\n", now_ms() - start);
  std::fflush(stdout);
  DestroyWindow(other);
  DestroyWindow(main_window);
  leave_folder();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: history_bench PATH_OF_dovane_clip.exe\n");
    return 2;
  }
  // The folders change below; the exe is started by its full path.
  char exe[MAX_PATH];
  GetFullPathNameA(argv[1], sizeof exe, exe, nullptr);
  std::printf("| operation | size | time |\n|---|---|---|\n");
  bench_step_back();
  bench_compaction();
  bench_startup(exe);
  bench_capture();
  return 0;
}
