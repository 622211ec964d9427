// How long the history work takes in the real program on the platform, next to an
// empty Win32 program started the same way in the same round: start-up over long
// histories and re-use indexes, steps back far down a history, a compaction, and
// captures from the notification to the record on disk. Prints a table; run by hand
// through bench/history_bench.sh.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "app/app_state.h"
#include "app/entry.h"
#include "history/clip_side_file.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "history/moves.h"
#include "history/navigation.h"
#include "history/record_append.h"
#include "history/side_file_upkeep.h"
#include "settings/settings_file.h"
#include "settings/ui_texts.h"

namespace {

constexpr int rounds = 7;

void enter_new_folder(const std::string& name) {
  CreateDirectoryA(name.c_str(), nullptr);
  SetCurrentDirectoryA(name.c_str());
}

void leave_folder() { SetCurrentDirectoryA(".."); }

// Clips of a usual length, about 60 bytes each, written in one go.
void write_history(int records) {
  std::string bytes;
  char text[96];
  for (int n = 1; n <= records; ++n) {
    const int length = std::snprintf(text, sizeof text, "clip %d: some copied text of a usual length\a\r\n", n);
    bytes.append(text, static_cast<size_t>(length));
  }
  std::FILE* out = std::fopen("_clip.txt", "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

// Entries spread evenly over the history, as re-uses made over a long time would be.
void write_reuse_index(int entries, int records) {
  std::FILE* out = std::fopen("_recycle_index.txt", "wb");
  for (int i = 1; i <= entries; ++i)
    std::fprintf(out, "%d\r\n", static_cast<int>(1LL * records * i / (entries + 1)));
  std::fclose(out);
}

void write_text_file(const char* name, const char* text) {
  std::FILE* out = std::fopen(name, "wb");
  std::fputs(text, out);
  std::fclose(out);
}

// A side file of two lines a record of write_history: an original and a time, after the
// mark a tidying leaves, so start-up finds nothing to tidy.
void write_side_file(int records) {
  std::string lines;
  char text[96];
  const std::u16string original = u"some copied text of a usual length \U0001F60A";
  for (int n = 1; n <= records; ++n) {
    std::snprintf(text, sizeof text, "clip %d: some copied text of a usual length", n);
    const sha256_digest key = record_key(text);
    lines += original_line(key, original.data(), original.size()) + "\r\n";
    lines += time_line(key, clip_time{2025, 12, 8, 14, 5, n % 60}) + "\r\n";
  }
  write_text_file(side_file_name, ("referenced\t" + std::to_string(lines.size()) + "\r\n" + lines).c_str());
}

struct run {
  double ms;
  double peak_mb;
};

// From process creation until the window has been made and answers a message.
run time_startup(const char* exe, const char* window_class) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  char command_line[MAX_PATH + 2];
  std::snprintf(command_line, sizeof command_line, "\"%s\"", exe);
  const double start = now_ms();
  if (!CreateProcessA(exe, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return {-1, 0};
  HWND window = nullptr;
  while (window == nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    window = FindWindowA(window_class, nullptr);
    if (window == nullptr) Sleep(1);
  }
  DWORD_PTR answer = 0;
  if (window != nullptr) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
  const double elapsed = now_ms() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {window != nullptr ? elapsed : -1, static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0)};
}

void bench_startup(const char* exe, const char* empty_exe) {
  enter_new_folder("startup_empty_history");
  write_text_file("dovane_clip.ini", "[init]\r\nmax=1000000\r\n");
  leave_folder();
  struct shape {
    int records, entries;
  };
  for (const shape& s : {shape{5000, 0}, shape{5000, 100}, shape{50000, 0}, shape{50000, 100}, shape{50000, 1000},
                         shape{500000, 0}, shape{500000, 100}, shape{500000, 1000}}) {
    const std::string folder = "startup_" + std::to_string(s.records) + "_" + std::to_string(s.entries);
    enter_new_folder(folder);
    // A limit above the history keeps compaction out of this measurement.
    write_text_file("dovane_clip.ini", "[init]\r\nmax=1000000\r\n");
    write_history(s.records);
    write_reuse_index(s.entries, s.records);
    std::vector<double> program, empty, program_peak, empty_peak, empty_history;
    for (int round = 0; round < rounds; ++round) {
      const run e = time_startup(empty_exe, "dovane_empty");
      const run p = time_startup(exe, "dovane_clip");
      empty.push_back(e.ms);
      program.push_back(p.ms);
      empty_peak.push_back(e.peak_mb);
      program_peak.push_back(p.peak_mb);
      // The same program on an empty history, in the same round: the history's own share.
      if (s.entries == 0) {
        SetCurrentDirectoryA("..\\startup_empty_history");
        empty_history.push_back(time_startup(exe, "dovane_clip").ms);
        SetCurrentDirectoryA(("..\\" + folder).c_str());
      }
    }
    const double ratio = median(program) / median(empty);
    std::printf("| start-up | %s records, %s re-use entries | %.0f ms | %.0f ms | %.2fx |\n", grouped(s.records).c_str(),
                grouped(s.entries).c_str(), median(program), median(empty), ratio);
    if (s.entries == 0) {
      const char* target = s.records == 50000 ? " (target 1.05x)" : s.records == 500000 ? " (target 1.15x)" : "";
      std::printf("| start-up against an empty history | %s records | %.0f ms | %.0f ms (empty history) | %.2fx%s |\n",
                  grouped(s.records).c_str(), median(program), median(empty_history),
                  median(program) / median(empty_history), target);
    }
    if (s.records == 500000 && s.entries == 0)
      std::printf("| peak working set | %s records | %.1f MB | %.1f MB | %.1f MB more |\n", grouped(s.records).c_str(),
                  median(program_peak), median(empty_peak), median(program_peak) - median(empty_peak));
    std::fflush(stdout);
    leave_folder();
  }
}

// Start-up with a side file of 100,000 lines next to the same history without one.
void bench_startup_with_side_file(const char* exe) {
  for (const char* folder : {"startup_side_none", "startup_side_100000"}) {
    enter_new_folder(folder);
    write_text_file("dovane_clip.ini", "[init]\r\nmax=1000000\r\n");
    write_history(5000);
    if (std::strcmp(folder, "startup_side_100000") == 0) write_side_file(50000);
    leave_folder();
  }
  // A difference of a few milliseconds: more rounds than elsewhere.
  std::vector<double> with_side, without_side;
  // Turn about, as the first start of a round pays for the one before it.
  for (int round = 0; round < 4 * rounds; ++round) {
    for (int start = 0; start < 2; ++start) {
      const bool side = (round + start) % 2 == 1;
      SetCurrentDirectoryA(side ? "startup_side_100000" : "startup_side_none");
      (side ? with_side : without_side).push_back(time_startup(exe, "dovane_clip").ms);
      leave_folder();
    }
  }
  std::printf("| start-up | 5,000 records, side file of 100,000 lines | %.0f ms | %.0f ms (no side file) | %+.1f ms (target +10 ms) |\n",
              median(with_side), median(without_side), median(with_side) - median(without_side));
  std::fflush(stdout);
}

// The side file is read when a key is first asked for; then each ask is a look up.
void bench_side_file() {
  enter_new_folder("side_file");
  write_history(50000);
  write_side_file(50000);
  const std::string side = [] {
    std::FILE* in = std::fopen(side_file_name, "rb");
    std::string bytes(64 << 20, '\0');
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), in));
    std::fclose(in);
    return bytes;
  }();
  std::vector<double> first, later;
  std::u16string original;
  for (int round = 0; round < rounds; ++round) {
    // Written again as it was: another program's change, so the next ask reads it anew.
    write_text_file(side_file_name, side.c_str());
    double start = now_ms();
    original_of("clip 7: some copied text of a usual length", original);
    first.push_back(now_ms() - start);
    for (int n = 49990; n < 50000; ++n) {
      const std::string text = "clip " + std::to_string(n) + ": some copied text of a usual length";
      start = now_ms();
      original_of(text.c_str(), original);
      later.push_back(now_ms() - start);
    }
  }
  std::printf("| side file read when a key is first asked for | 100,000 lines, %.1f MB | %.1f ms | | |\n",
              static_cast<double>(side.size()) / (1024.0 * 1024.0), median(first));
  std::printf("| original of a record, side file read | 100,000 lines | %.3f ms | | |\n", median(later));
  later.clear();
  for (int round = 0; round < 5 * rounds; ++round) {
    const std::string text = "clip " + std::to_string(round) + ": timed";
    const double start = now_ms();
    keep_time(text.c_str(), clip_time{2025, 12, 8, 14, 5, round});
    later.push_back(now_ms() - start);
  }
  std::printf("| capture time kept, side file read | one line appended | %.3f ms | | |\n", median(later));
  const double start = now_ms();
  tidy_side_file();
  std::printf("| side file tidied against the data folder | 100,000 lines, 50,000 records | %.0f ms | | |\n",
              now_ms() - start);
  std::fflush(stdout);
  leave_folder();
}

// Steps back as a click makes them, to a record far down the history.
void bench_step_back() {
  enter_new_folder("step_back");
  write_history(1000000);
  std::snprintf(history_file, sizeof history_file, "%s", "_clip.txt");
  std::snprintf(history_append_file, sizeof history_append_file, "%s", "_clip.txt");
  open_history_streams();
  history_count = history_index.count();
  for (int position : {1000, 100000, 1000000}) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
      current_index = position + 1;
      const double start = now_ms();
      move_back(false);
      times.push_back(now_ms() - start);
    }
    std::printf("| step back | to record %s of 1,000,000 | %.3f ms | | |\n", grouped(position).c_str(), median(times));
    std::fflush(stdout);
  }
  // A first letter no record begins with: the first key reads the whole history from the
  // top, the next keys of such letters are answered without reading it again.
  forget_missed_letter();
  restart_from_top();
  double start = now_ms();
  find_record_starting_with('#');
  const double first_key = now_ms() - start;
  std::vector<double> next_keys;
  for (int round = 0; round < rounds; ++round) {
    start = now_ms();
    find_record_starting_with(round % 2 == 0 ? '#' : '%');
    next_keys.push_back(now_ms() - start);
  }
  std::printf("| first-letter search that misses | 1,000,000 records, first key | %.1f ms | | |\n", first_key);
  std::printf("| first-letter search that misses | 1,000,000 records, each later key | %.3f ms | | |\n",
              median(next_keys));
  std::printf("| offset index | 1,000,000 records | %.1f MB | | %.1f bytes a record |\n",
              static_cast<double>(history_index.memory_bytes()) / (1024.0 * 1024.0),
              static_cast<double>(history_index.memory_bytes()) / 1000000.0);
  close_history_streams();
  history_index.clear();
  leave_folder();
}

// A choice from the history menus appends its clip to the re-use file: the file's index,
// made once, is extended by each append, however long the file has grown.
void bench_reuse_append() {
  for (int records : {100, 1000000}) {
    const std::string folder = "reuse_" + std::to_string(records);
    enter_new_folder(folder);
    write_history(records);
    MoveFileA("_clip.txt", recycle_file_name);
    reuse_file_index.clear();
    // As while the program's streams are open: the file stays open between choices.
    reuse_file_index.hold();
    double start = now_ms();
    append_to_record_file(recycle_file_name, reuse_file_index, "first choice");
    const double first = now_ms() - start;
    std::vector<double> times;
    for (int round = 0; round < 10 * rounds; ++round) {
      start = now_ms();
      append_to_record_file(recycle_file_name, reuse_file_index, "a clip chosen again from the menus");
      times.push_back(now_ms() - start);
    }
    std::printf("| re-use file appended to by a choice | %s records | %.3f ms (the run's first: %.1f ms) | | |\n",
                grouped(records).c_str(), median(times), first);
    std::fflush(stdout);
    reuse_file_index.clear();
    leave_folder();
  }
}

// The pass start-up makes over the history to find where each record starts.
void bench_index_pass() {
  for (int records : {50000, 500000}) {
    const std::string folder = "index_" + std::to_string(records);
    enter_new_folder(folder);
    write_history(records);
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
      record_index index;
      const double start = now_ms();
      index.build("_clip.txt");
      times.push_back(now_ms() - start);
    }
    std::printf("| start-up index pass | %s records | %.1f ms | | |\n", grouped(records).c_str(), median(times));
    std::fflush(stdout);
    leave_folder();
  }
}

void bench_compaction() {
  enter_new_folder("compaction");
  write_history(50000);
  load_settings();
  const double start = now_ms();
  compact_history();
  std::printf("| compaction | 50,000 records, 500 to the backup | %.0f ms | | |\n", now_ms() - start);
  close_history_streams();
  leave_folder();
}

// Another window of this process owns the clipboard, as another program would; the main
// window captures synchronously inside CloseClipboard, so the time covers the whole
// capture, record flushed to disk and ring file saved included.
void copy_as_other_program(HWND other, const std::string& text) {
  OpenClipboard(other);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

// As a Unicode program puts text: the capture converts it to Shift_JIS itself.
void copy_unicode_as_other_program(HWND other, const std::u16string& text) {
  OpenClipboard(other);
  EmptyClipboard();
  const size_t size = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), text.c_str(), size);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
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
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    const std::string large(20000, static_cast<char>('A' + round));
    const double start = now_ms();
    copy_as_other_program(other, large);
    times.push_back(now_ms() - start);
  }
  std::printf("| capture, history saving on | one clip of 20,000 bytes | %.2f ms | | |\n", median(times));
  times.clear();
  for (int round = 0; round < rounds; ++round) {
    const std::u16string japanese(10000, static_cast<char16_t>(u'\u3042' + round));
    const double start = now_ms();
    copy_unicode_as_other_program(other, japanese);
    times.push_back(now_ms() - start);
  }
  std::printf("| capture, history saving on | one Unicode clip of 10,000 kana (20,000 bytes) | %.2f ms | | |\n",
              median(times));
  // Clips of the same length with and without a character Shift_JIS lacks, in turns, the
  // side file of 100,000 lines already read.
  write_side_file(50000);
  copy_unicode_as_other_program(other, u"first \U0001F60A");
  std::vector<double> with_original, without_original;
  for (int round = 0; round < 10 * rounds; ++round) {
    const std::string digits = std::to_string(round);
    const std::u16string number(digits.begin(), digits.end());
    const std::u16string plain = u"clip " + number + u": some copied text of a usual length :-)";
    const std::u16string emoji = u"clip " + number + u": some copied text of a usual length \U0001F60A";
    double start = now_ms();
    copy_unicode_as_other_program(other, plain);
    without_original.push_back(now_ms() - start);
    start = now_ms();
    copy_unicode_as_other_program(other, emoji);
    with_original.push_back(now_ms() - start);
  }
  std::printf("| capture, history saving on | one Unicode clip of 60 bytes | %.2f ms | | |\n", median(without_original));
  std::printf("| capture, history saving on | the same with an emoji, its original kept | %.2f ms | | %+.2f ms (target +1 ms) |\n",
              median(with_original), median(with_original) - median(without_original));
  // The ring full of clips of 20,000 bytes: its file, a megabyte, is saved with every clip.
  times.clear();
  for (int round = 0; round < ring_slots + rounds; ++round) {
    const std::string large = std::string(20000, static_cast<char>('a' + round % 26)) + std::to_string(round);
    const double start = now_ms();
    copy_as_other_program(other, large);
    times.push_back(now_ms() - start);
  }
  times.erase(times.begin(), times.begin() + ring_slots);
  std::printf("| capture, history saving on | one clip of 20,000 bytes, the ring full of such clips | %.2f ms | | |\n",
              median(times));
  const double start = now_ms();
  for (int i = 0; i < 1000; ++i) copy_as_other_program(other, "clip " + std::to_string(i));
  std::printf("| capture, history saving on | 1,000 clips in a row | %.0f ms | | |\n", now_ms() - start);
  std::fflush(stdout);
  DestroyWindow(other);
  DestroyWindow(main_window);
  leave_folder();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: history_bench PATH_OF_dovane_clip.exe PATH_OF_empty_window.exe\n");
    return 2;
  }
  // The folders change below; the programs are started by their full paths.
  char exe[MAX_PATH];
  char empty_exe[MAX_PATH];
  GetFullPathNameA(argv[1], sizeof exe, exe, nullptr);
  GetFullPathNameA(argv[2], sizeof empty_exe, empty_exe, nullptr);
  std::printf("| operation | size | dovane_clip | empty program | ratio |\n|---|---|---|---|---|\n");
  if (argc > 3 && std::strcmp(argv[3], "steps") == 0) {
    bench_step_back();
    bench_reuse_append();
    return 0;
  }
  if (argc > 3 && std::strcmp(argv[3], "side") == 0) {
    bench_side_file();
    bench_startup_with_side_file(exe);
    bench_capture();
    return 0;
  }
  bench_step_back();
  bench_reuse_append();
  bench_compaction();
  bench_side_file();
  bench_startup_with_side_file(exe);
  bench_index_pass();
  bench_startup(exe, empty_exe);
  bench_capture();
  return 0;
}
