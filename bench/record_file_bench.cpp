// How long the history reads take: every step back rereads the file from the top, and
// start-up counts it and lists its last records.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "history/record_file.h"

namespace {

std::string make_history(int records, int clip_bytes) {
  char name[] = "/tmp/dovane_bench_XXXXXX";
  int fd = mkstemp(name);
  close(fd);
  record_stream out;
  out.open(name, open_mode::rewrite);
  std::string clip(static_cast<size_t>(clip_bytes), 'x');
  for (int i = 0; i < records; ++i) write_record(out, clip.c_str());
  return name;
}

void count_history_records(benchmark::State& state) {
  const std::string name = make_history(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(count_records(name.c_str()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(name.c_str());
}
BENCHMARK(count_history_records)->Args({520, 80})->Args({6000, 80})->Args({6000, 2000});

void write_flushed_records(benchmark::State& state) {
  char name[] = "/tmp/dovane_bench_XXXXXX";
  close(mkstemp(name));
  record_stream out;
  out.open(name, open_mode::read_write_end);
  const std::string clip(80, 'y');
  for (auto _ : state) {
    write_record(out, clip.c_str());
    out.flush();
  }
  out.close();
  std::remove(name);
}
BENCHMARK(write_flushed_records);

}  // namespace

BENCHMARK_MAIN();
