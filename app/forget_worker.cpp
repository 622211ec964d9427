#include "app/forget_worker.h"

#include <windows.h>

#include <memory>
#include <string>
#include <thread>

#include "app/app_state.h"

namespace {
constexpr UINT work_done_message = WM_APP + 1;
const char worker_window_class[] = "dovane_forget";

struct background_forget {
  std::string text;
  kept_files files;
  forget_finish finish = nullptr;
  forget_work work;
  WPARAM id = 0;
  std::thread thread;
};
std::unique_ptr<background_forget> running;
WPARAM last_id = 0;
HWND worker_window = nullptr;

void finish_running() {
  if (!running) return;
  running->thread.join();
  // Taken first: what the finish shows may start the next forget.
  const std::unique_ptr<background_forget> done = std::move(running);
  done->finish(done->work, done->files);
}

LRESULT CALLBACK worker_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // A forget finished early (at the end, in a test) leaves its message behind.
  if (message == work_done_message) {
    if (running && running->id == wparam) finish_running();
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool make_worker_window() {
  if (worker_window != nullptr && IsWindow(worker_window)) return true;
  WNDCLASSA window_class{};
  if (!GetClassInfoA(instance, worker_window_class, &window_class)) {
    window_class.lpfnWndProc = worker_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = worker_window_class;
    if (RegisterClassA(&window_class) == 0) return false;
  }
  worker_window = CreateWindowExA(0, worker_window_class, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  return worker_window != nullptr;
}
}  // namespace

bool forget_in_background(const char* text, const kept_files& files, forget_finish finish) {
  if (running || !make_worker_window()) return false;
  running.reset(new background_forget);
  running->text = text;
  running->files = files;
  running->finish = finish;
  running->id = ++last_id;
  background_forget* job = running.get();
  HWND reply_to = worker_window;
  job->thread = std::thread([job, reply_to] {
    job->work = prepare_forget(job->text.c_str(), job->files);
    PostMessageA(reply_to, work_done_message, job->id, 0);
  });
  return true;
}

bool forgetting() { return running != nullptr; }

void finish_forgetting() { finish_running(); }
