#include "app/forget_worker.h"

#include <windows.h>
#include <process.h>

#include <memory>
#include <string>

#include "app/app_state.h"

namespace {
constexpr UINT work_done_message = WM_APP + 1;
const wchar_t worker_window_class[] = L"dovane_forget";

struct background_forget {
  std::string text;
  kept_files files;
  forget_finish finish = nullptr;
  forget_work work;
  WPARAM id = 0;
  HWND reply_to = nullptr;
  HANDLE thread = nullptr;
};
std::unique_ptr<background_forget> running;
WPARAM last_id = 0;
HWND worker_window = nullptr;

void finish_running() {
  if (!running) return;
  WaitForSingleObject(running->thread, INFINITE);
  CloseHandle(running->thread);
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
  return DefWindowProcW(window, message, wparam, lparam);
}

unsigned __stdcall prepare_in_background(void* parameter) {
  background_forget* job = static_cast<background_forget*>(parameter);
  job->work = prepare_forget(job->text.c_str(), job->files);
  PostMessageW(job->reply_to, work_done_message, job->id, 0);
  return 0;
}

bool make_worker_window() {
  if (worker_window != nullptr && IsWindow(worker_window)) return true;
  WNDCLASSW window_class{};
  if (!GetClassInfoW(instance, worker_window_class, &window_class)) {
    window_class.lpfnWndProc = worker_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = worker_window_class;
    if (RegisterClassW(&window_class) == 0) return false;
  }
  worker_window = CreateWindowExW(0, worker_window_class, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
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
  running->reply_to = worker_window;
  // Not std::thread, whose runtime reports its errors through the ANSI code page; the C
  // runtime's own start, as the worker reads and writes files through it.
  running->thread =
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, prepare_in_background, running.get(), 0, nullptr));
  if (running->thread == nullptr) {
    running.reset();
    return false;
  }
  return true;
}

bool forgetting() { return running != nullptr; }

void finish_forgetting() { finish_running(); }
