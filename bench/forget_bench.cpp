// How long forgetting one clip and clearing the history take at real sizes: a history of
// 1,000,000 records (about 60 MB) with five backups of 500 records, the ring and the
// re-use list, the text in several of them. Each part is timed as it runs on the
// program does it: the files on a thread of their own, the rest on the program's thread,
// whose longest message is the longest the message loop waits.
// Prints a table; run by hand through bench/forget_bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/forget_commands.h"
#include "app/forget_worker.h"
#include "bench/bench_timing.h"
#include "drawers/drawer_names.h"
#include "history/forget.h"
#include "history/forget_history.h"
#include "history/history_streams.h"
#include "history/maintenance.h"
#include "history/record_file.h"
#include "history/ring.h"

namespace {

constexpr int rounds = 3;
constexpr int history_records = 1000000;
const char secret[] = "pin 4711 of the card";

void write_records(const char* name, int first, int records, bool with_secret) {
  std::string bytes;
  char text[96];
  for (int n = first; n < first + records; ++n) {
    const bool is_secret = with_secret && n % (records / 3 + 1) == 7;
    const int length = is_secret ? std::snprintf(text, sizeof text, "%s\a\r\n", secret)
                                 : std::snprintf(text, sizeof text, "clip %d: some copied text of a usual length\a\r\n", n);
    bytes.append(text, static_cast<size_t>(length));
  }
  std::FILE* out = std::fopen(name, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

void write_folder() {
  write_records("_clip.txt", 1, history_records, true);
  for (int b = 1; b <= 5; ++b) write_records((std::to_string(b) + "_clip_bak.txt").c_str(), b * 1000, 500, b == 3);
  write_records("tmpclipsave.txt", 1, 50, true);
  write_records("_recycle.txt", 1, 100, true);
  std::FILE* index = std::fopen("_recycle_index.txt", "wb");
  for (int i = 1; i <= 100; ++i) std::fprintf(index, "%d\r\n", history_records / 101 * i);
  std::fclose(index);
}

// The program's state as a start over the folder leaves it.
void start_over_folder() {
  std::snprintf(history_file, sizeof history_file, "%s", "_clip.txt");
  std::snprintf(history_append_file, sizeof history_append_file, "%s", "_clip.txt");
  close_history_streams();
  open_history_streams();
  count_history();
  current_index = history_count / 2;
  reload_ring();
}

struct pumped {
  double ms;
  double longest_message_ms;
};

pumped forget_as_the_program_does() {
  const double start = now_ms();
  forget_and_show(secret);
  double longest = now_ms() - start;
  MSG message;
  while (forgetting()) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    const double before = now_ms();
    DispatchMessageA(&message);
    longest = std::max(longest, now_ms() - before);
  }
  return {now_ms() - start, longest};
}

}  // namespace

int main() {
  instance = GetModuleHandleA(nullptr);
  set_genre_stems("bench");
  // The program has its windows before any forget: the platform's costs of a process's
  // first window are paid here, outside the measurements.
  DestroyWindow(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
  CreateDirectoryA("forget_bench", nullptr);
  SetCurrentDirectoryA("forget_bench");
  std::vector<double> cores, wholes, longest, clears;
  int records = 0, files = 0;
  for (int round = 0; round < rounds; ++round) {
    write_folder();
    start_over_folder();
    close_history_streams();
    double start = now_ms();
    const forget_report core = forget_text(secret, data_folder_kept_files());
    cores.push_back(now_ms() - start);
    write_folder();
    start_over_folder();
    const pumped forgot = forget_as_the_program_does();
    wholes.push_back(forgot.ms);
    longest.push_back(forgot.longest_message_ms);
    records = core.records;
    files = core.files;
    if (!core.whole) std::printf("forget failed at %s\n", core.failed.c_str());
    start = now_ms();
    clear_and_show();
    clears.push_back(now_ms() - start);
  }
  std::printf("| operation | size | time | bound |\n|---|---|---|---|\n");
  std::printf("| forget: the files alone | %s records + 5 x 500 | %.0f ms | |\n", grouped(history_records).c_str(),
              median(cores));
  std::printf("| forget as the program does it (%d records, %d files) | %s records + 5 x 500 | %.0f ms | 1500 ms |\n",
              records, files, grouped(history_records).c_str(), median(wholes));
  std::printf("| longest message while forgetting | %s records + 5 x 500 | %.0f ms | 100 ms |\n",
              grouped(history_records).c_str(), *std::max_element(longest.begin(), longest.end()));
  std::printf("| clear | %s records + 5 x 500 | %.0f ms | 500 ms |\n", grouped(history_records).c_str(),
              median(clears));
  close_history_streams();
  return 0;
}
