#include "app/window_places.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/dpi.h"
#include "app/main_window_dpi.h"
#include "app/window_slots.h"

namespace {

struct remembered_place {
  screen_box box;
  int dpi;
};
std::map<std::string, remembered_place> remembered;
struct open_frame {
  HWND window;
  std::string kind;
};
std::vector<open_frame> opened;  // in the order they were opened; closed ones are dropped

screen_box box_of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

screen_box work_area() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(main_window, MONITOR_DEFAULTTONEAREST), &monitor)) return box_of(monitor.rcWork);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return box_of(work);
}

// A hidden main window still has the place it opens at, at the size it opens with.
screen_box main_window_box() {
  RECT r{};
  GetWindowRect(main_window, &r);
  if (!IsWindowVisible(main_window)) {
    const SIZE opened = main_window_opened_size();
    r.right = std::max<LONG>(r.right, r.left + opened.cx);
    r.bottom = std::max<LONG>(r.bottom, r.top + opened.cy);
  }
  return box_of(r);
}

// The main window first, then the open frames (of the one kind given, when one is).
std::vector<screen_box> taken_boxes(const char* only_kind) {
  opened.erase(std::remove_if(opened.begin(), opened.end(), [](const open_frame& f) { return !IsWindow(f.window); }),
               opened.end());
  std::vector<screen_box> taken{main_window_box()};
  for (const open_frame& frame : opened) {
    RECT r;
    if ((only_kind == nullptr || frame.kind == only_kind) && IsWindowVisible(frame.window) &&
        GetWindowRect(frame.window, &r))
      taken.push_back(box_of(r));
  }
  return taken;
}

// Another open window of the same kind, such as an earlier note, holds the place.
bool held_by_same_kind(const screen_box& box, const char* kind) {
  const std::vector<screen_box> same = taken_boxes(kind);
  return std::any_of(same.begin() + 1, same.end(), [&](const screen_box& t) { return boxes_overlap(box, t); });
}

}  // namespace

RECT place_for_text_frame(const char* kind, SIZE least) {
  const screen_box work = work_area();
  int width = std::max<int>((work.right - work.left) / 3, least.cx);
  int height = std::max<int>((work.bottom - work.top) / 4, least.cy);
  screen_box place{};
  const auto found = remembered.find(kind);
  if (found != remembered.end()) {
    // New windows go on the main window's monitor, and so are laid out for its DPI.
    const remembered_place& kept = found->second;
    const screen_box& box = kept.box;
    place = fit_within({box.left, box.top, box.left + MulDiv(box.right - box.left, main_dpi, kept.dpi),
                        box.top + MulDiv(box.bottom - box.top, main_dpi, kept.dpi)},
                       work);
    width = place.right - place.left;
    height = place.bottom - place.top;
  }
  // Where the user put a window it goes again, unless one of its kind is open there now.
  if (found == remembered.end() || held_by_same_kind(place, kind))
    place = find_window_slot(work, width, height, taken_boxes(nullptr), metric_at(SM_CYCAPTION, main_dpi));
  return {place.left, place.top, place.right, place.bottom};
}

void remember_text_frame_place(const char* kind, HWND frame, int dpi) {
  RECT r;
  if (IsIconic(frame) || IsZoomed(frame) || !GetWindowRect(frame, &r)) return;
  remembered[kind] = {box_of(r), dpi};
}

void note_text_frame_opened(HWND frame, const char* kind) { opened.push_back({frame, kind}); }
