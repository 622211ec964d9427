// Times captures from outside, as the user's Linux programs copy: `capture_clock FILE BYTES
// ROUNDS` copies ROUNDS texts of BYTES bytes with xclip, one at a time, each timed from
// the copy's start until FILE has grown, and prints the median in milliseconds.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
double now_ms() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

long long size_of(const char* name) {
  struct stat status;
  return stat(name, &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

// xclip serves the text until another copy takes the selection; it is ended by its id.
pid_t copy_with_xclip(const std::string& text) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[0], 0);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    // xclip tells of every request it serves.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    execlp("xclip", "xclip", "-selection", "clipboard", "-quiet", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_ends[0]);
  const ssize_t written = write(pipe_ends[1], text.data(), text.size());
  close(pipe_ends[1]);
  return written == static_cast<ssize_t>(text.size()) ? child : -1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const char* file = argv[1];
  const std::size_t bytes = static_cast<std::size_t>(std::atol(argv[2]));
  const int rounds = std::atoi(argv[3]);
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    std::string text;
    while (text.size() < bytes) text += "round " + std::to_string(round) + " of copied text, line " + std::to_string(text.size()) + "\n";
    text.resize(bytes);
    const long long before = size_of(file);
    const double start = now_ms();
    const pid_t copier = copy_with_xclip(text);
    if (copier < 0) return 1;
    bool grown = false;
    while (!grown && now_ms() - start < 5000) {
      grown = size_of(file) > before;
      if (!grown) usleep(100);
    }
    if (grown) times.push_back(now_ms() - start);
    // The program has what it needs once the record is on disk.
    usleep(50000);
    kill(copier, SIGTERM);
    waitpid(copier, nullptr, 0);
    usleep(100000);
  }
  if (times.empty()) return 1;
  std::sort(times.begin(), times.end());
  std::printf("%.2f\n", times[times.size() / 2]);
  return static_cast<int>(times.size()) == rounds ? 0 : 1;
}
