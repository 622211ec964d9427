#include "app/window_slots.h"

#include <algorithm>

namespace {

int gap(int low_a, int high_a, int low_b, int high_b) { return std::max(0, std::max(low_a - high_b, low_b - high_a)); }

int distance(const screen_box& a, const screen_box& b) {
  return gap(a.left, a.right, b.left, b.right) + gap(a.top, a.bottom, b.top, b.bottom);
}

screen_box box_at(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// Beside each open window on its four sides, and the work area's corners.
std::vector<screen_box> candidates(const screen_box& work, int width, int height,
                                   const std::vector<screen_box>& taken) {
  std::vector<screen_box> found;
  for (const screen_box& t : taken) {
    found.push_back(box_at(t.right, t.top, width, height));
    found.push_back(box_at(t.left, t.bottom, width, height));
    found.push_back(box_at(t.left - width, t.top, width, height));
    found.push_back(box_at(t.left, t.top - height, width, height));
  }
  found.push_back(box_at(work.left, work.top, width, height));
  found.push_back(box_at(work.right - width, work.top, width, height));
  found.push_back(box_at(work.left, work.bottom - height, width, height));
  found.push_back(box_at(work.right - width, work.bottom - height, width, height));
  for (screen_box& box : found) box = fit_within(box, work);
  return found;
}

bool is_free(const screen_box& box, const std::vector<screen_box>& taken) {
  return std::none_of(taken.begin(), taken.end(), [&](const screen_box& t) { return boxes_overlap(box, t); });
}

// Nearest the main window first, then higher, then further left.
bool better(const screen_box& a, const screen_box& b, const screen_box& main) {
  const int da = distance(a, main), db = distance(b, main);
  if (da != db) return da < db;
  if (a.top != b.top) return a.top < b.top;
  return a.left < b.left;
}

}  // namespace

bool boxes_overlap(const screen_box& a, const screen_box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

screen_box fit_within(const screen_box& box, const screen_box& area) {
  const int width = std::min(box.right - box.left, area.right - area.left);
  const int height = std::min(box.bottom - box.top, area.bottom - area.top);
  const int left = std::max(area.left, std::min(box.left, area.right - width));
  const int top = std::max(area.top, std::min(box.top, area.bottom - height));
  return box_at(left, top, width, height);
}

screen_box find_window_slot(const screen_box& work, int width, int height, const std::vector<screen_box>& taken,
                            int step) {
  const screen_box main = taken.empty() ? box_at(work.left, work.top, 0, 0) : taken.front();
  bool found = false;
  screen_box best{};
  for (const screen_box& box : candidates(work, width, height, taken)) {
    if (!is_free(box, taken) || (found && !better(box, best, main))) continue;
    best = box;
    found = true;
  }
  if (found) return best;
  const screen_box& last = taken.empty() ? main : taken.back();
  return fit_within(box_at(last.left + step, last.top + step, width, height), work);
}
