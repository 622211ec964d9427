#include "history/lane_thread.h"

#ifdef _WIN32
#include <windows.h>
#include <process.h>
#else
#include <pthread.h>
#include <time.h>
#include <unistd.h>
#endif

struct lane_thread::state {
  std::function<void()> task;
#ifdef _WIN32
  HANDLE thread = nullptr;
#else
  pthread_t thread{};
  bool started = false;
#endif
};

namespace {
#ifdef _WIN32
// The C runtime's own start, as the task reads files through it.
unsigned __stdcall run(void* state) {
  static_cast<lane_thread::state*>(state)->task();
  return 0;
}
#else
void* run(void* state) {
  static_cast<lane_thread::state*>(state)->task();
  return nullptr;
}
#endif
}  // namespace

lane_thread::lane_thread() : state_(new state) {}

lane_thread::~lane_thread() { wait(-1); }

#ifdef _WIN32

bool lane_thread::start(std::function<void()> task) {
  wait(-1);
  state_->task = std::move(task);
  state_->thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, run, state_.get(), 0, nullptr));
  return state_->thread != nullptr;
}

bool lane_thread::running() const { return state_->thread != nullptr; }

bool lane_thread::wait(int milliseconds) {
  if (state_->thread == nullptr) return true;
  const DWORD limit = milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds);
  if (WaitForSingleObject(state_->thread, limit) != WAIT_OBJECT_0) return false;
  CloseHandle(state_->thread);
  state_->thread = nullptr;
  return true;
}

int lane_thread::processors() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return static_cast<int>(info.dwNumberOfProcessors);
}

#else

bool lane_thread::start(std::function<void()> task) {
  wait(-1);
  state_->task = std::move(task);
  state_->started = pthread_create(&state_->thread, nullptr, run, state_.get()) == 0;
  return state_->started;
}

bool lane_thread::running() const { return state_->started; }

bool lane_thread::wait(int milliseconds) {
  if (!state_->started) return true;
  if (milliseconds < 0) {
    pthread_join(state_->thread, nullptr);
  } else {
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += milliseconds / 1000;
    deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
      ++deadline.tv_sec;
      deadline.tv_nsec -= 1000000000L;
    }
    if (pthread_timedjoin_np(state_->thread, nullptr, &deadline) != 0) return false;
  }
  state_->started = false;
  return true;
}

int lane_thread::processors() { return static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)); }

#endif
