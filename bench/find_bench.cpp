// How fast the find window answers, in the real window of the program on the platform:
// opening it over a long history, and the list after each key of a typical query. Prints
// a table; run by hand through bench/find_bench.sh.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "app/app_state.h"
#include "app/find_window.h"
#include "drawers/drawer_names.h"
#include "history/backup_files.h"
#include "history/clip_finder.h"
#include "history/history_streams.h"

namespace {

constexpr int rounds = 5;
constexpr int backup_records = 500;

// Clips of about 60 bytes in Shift_JIS: words of two kanji out of forty, katakana and
// English words, numbers and addresses, so that a two-kanji term is in about one record
// of 500 and a letter in most.
std::string random_word(std::mt19937& random) {
  static const char* const kanji[] = {"東", "京", "大", "阪", "会", "議", "資", "料", "住", "所", "確", "認", "予", "定",
                                      "送", "付", "社", "員", "電", "話", "番", "号", "日", "本", "名", "前", "連", "絡",
                                      "先", "方", "明", "後", "年", "月", "金", "額", "請", "求", "書", "類"};
  static const char* const katakana[] = {"メール", "アドレス", "パスワード", "ファイル", "データ", "サーバー", "ｶﾀｶﾅ",
                                         "テスト", "プロジェクト", "ミーティング"};
  static const char* const english[] = {"report", "meeting", "invoice", "draft", "mail", "email", "schedule", "the",
                                        "and", "for", "review", "update", "please", "check", "thanks", "project",
                                        "Tokyo", "Osaka", "note", "list"};
  const unsigned kind = random() % 10;
  if (kind < 4) return std::string(kanji[random() % 40]) + kanji[random() % 40];
  if (kind < 6) return katakana[random() % 10];
  if (kind < 9) return english[random() % 20];
  return random() % 2 ? "03-" + std::to_string(1000 + random() % 9000) : "https://example.jp/" + std::to_string(random() % 1000);
}

void write_records(const char* name, int records, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(records) * 64);
  for (int n = 1; n <= records; ++n) {
    std::string clip = std::to_string(n) + " ";
    while (clip.size() < 40 + random() % 40) clip += random_word(random) + " ";
    bytes += clip + "\a\r\n";
  }
  std::FILE* out = std::fopen(name, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

struct pumped {
  double ms;             // until the list shows the answer
  double with_text_ms;   // until the text pane shows the selected clip too
  double longest_message_ms;
};

double dispatch(MSG& message) {
  const double before = now_ms();
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return now_ms() - before;
}

// Dispatches messages until the window has its answer and has drawn it, then until
// nothing is left for it to do.
pumped pump_until_answered(double start) {
  double longest = 0;
  MSG message;
  while (find_window_busy()) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    longest = std::max(longest, dispatch(message));
  }
  RedrawWindow(find_window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const double list_ms = now_ms() - start;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) longest = std::max(longest, dispatch(message));
  RedrawWindow(find_window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return {list_ms, now_ms() - start, longest};
}

double committed_mb() {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  return static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
}

int matches_of(const char* query) {
  clip_finder finder;
  finder.set_older_lister(numbered_backups);
  finder.start_build("_clip.txt");
  while (!finder.build_slice(std::size_t{1} << 30)) {
  }
  finder.start_query(query);
  finder.query_slice(std::size_t{1} << 30);
  return finder.match_count();
}

void type_keys(HWND edit, const char* label, const std::vector<std::string>& keys, const std::string& size) {
  std::vector<double> per_key, with_text;
  double longest = 0;
  for (int round = 0; round < rounds; ++round) {
    SetWindowTextA(edit, "");
    pump_until_answered(now_ms());
    for (const std::string& typed : keys) {
      // The edit's change notice, and the first slice of the search with it, come inside
      // this call, as they come inside the key's message.
      const double start = now_ms();
      SetWindowTextA(edit, typed.c_str());
      longest = std::max(longest, now_ms() - start);
      const pumped p = pump_until_answered(start);
      per_key.push_back(p.ms);
      with_text.push_back(p.with_text_ms);
      longest = std::max(longest, p.longest_message_ms);
    }
  }
  std::printf("| per key, %s (%s matches) | %s | %.1f ms (slowest key %.1f ms; text pane too %.1f ms) | longest "
              "message %.1f ms |\n",
              label, grouped(matches_of(keys.back().c_str())).c_str(), size.c_str(), median(per_key),
              *std::max_element(per_key.begin(), per_key.end()), median(with_text), longest);
}

std::uint64_t size_of(const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(name, GetFileExInfoStandard, &data);
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A history of records, with backups of backup_records each beside it.
void bench_size(int records, int backups) {
  const std::string folder = "find_" + std::to_string(records) + "_" + std::to_string(backups);
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());
  write_records("_clip.txt", records, 7);
  std::uint64_t file_bytes = size_of("_clip.txt");
  for (int b = 1; b <= backups; ++b) {
    const std::string name = std::to_string(b) + "_clip_bak.txt";
    write_records(name.c_str(), backup_records, 100 + static_cast<unsigned>(b));
    file_bytes += size_of(name.c_str());
  }
  std::snprintf(history_file, sizeof history_file, "%s", "_clip.txt");
  std::snprintf(history_append_file, sizeof history_append_file, "%s", "_clip.txt");
  const int all = records + backups * backup_records;
  const std::string size =
      grouped(records) + " records" + (backups > 0 ? " + " + std::to_string(backups) + " backups of " + grouped(backup_records) : "");
  {
    clip_finder finder;
    finder.set_older_lister(numbered_backups);
    finder.start_build("_clip.txt");
    while (!finder.build_slice(1 << 20)) {
    }
    std::printf("| memory while open | %s, %.1f MB of files | %.1f MB | limit %.1f MB (files + 8 bytes a record)%s |\n",
                size.c_str(), static_cast<double>(file_bytes) / 1048576.0,
                static_cast<double>(finder.memory_bytes()) / 1048576.0,
                static_cast<double>(file_bytes + 8ull * static_cast<unsigned>(all)) / 1048576.0,
                finder.read_in_two() ? "; read in two parts at once" : "");
  }
  // Start-up has made the history's offset index by the time the window can be opened.
  history_index.build("_clip.txt");
  std::vector<double> opens;
  double longest = 0;
  double held = 0, given_back = 0;
  for (int round = 0; round < rounds; ++round) {
    const double before = committed_mb();
    const double start = now_ms();
    open_find_window();
    longest = std::max(longest, now_ms() - start);
    const pumped p = pump_until_answered(start);
    opens.push_back(p.ms);
    longest = std::max(longest, p.longest_message_ms);
    held = committed_mb() - before;
    HWND edit = FindWindowExA(find_window(), nullptr, "edit", nullptr);
    if (round == 0) {
      type_keys(edit, "\"住所\"", {"住所"}, size);
      type_keys(edit, "\"mail\" typed a letter at a time", {"m", "ma", "mai", "mail"}, size);
      type_keys(edit, "\"東京 report\"", {"東京", "東京 ", "東京 report"}, size);
    }
    DestroyWindow(find_window());
    given_back = committed_mb() - before;
  }
  std::printf("| open | %s | %.0f ms | longest message %.1f ms |\n", size.c_str(), median(opens), longest);
  std::printf("| committed bytes of the process | %s | %.1f MB more while open | %.1f MB more after closing |\n",
              size.c_str(), held, given_back);
  std::fflush(stdout);
  history_index.clear();
  SetCurrentDirectoryA("..");
}

}  // namespace

int main() {
  instance = GetModuleHandleA(nullptr);
  set_genre_stems("bench");
  // The program has shown windows before the find window opens: the platform's costs of
  // a process's first window are paid here, outside the measurements.
  open_find_window();
  pump_until_answered(now_ms());
  DestroyWindow(find_window());
  std::printf("| operation | size | time or bytes | bound or note |\n|---|---|---|---|\n");
  bench_size(50000, 0);
  bench_size(1000000, 0);
  bench_size(1000000, 100);
  return 0;
}
