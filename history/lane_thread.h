// One task on a thread of the platform's own, waited for with a time limit. Not
// std::thread: on Windows its runtime reports errors through the ANSI code page.
#pragma once
#include <functional>
#include <memory>

class lane_thread {
 public:
  lane_thread();
  ~lane_thread();
  lane_thread(const lane_thread&) = delete;
  lane_thread& operator=(const lane_thread&) = delete;

  // False when the platform would not start one; the task then never runs.
  bool start(std::function<void()> task);
  // A task started and not yet waited for to its end.
  bool running() const;
  // Waits up to milliseconds (forever when negative) for the task to end; true when
  // it has, or when none runs.
  bool wait(int milliseconds);
  // How many processors the program may run on.
  static int processors();

  struct state;  // the platform's part

 private:
  std::unique_ptr<state> state_;
};
