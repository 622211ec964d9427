// Where a new text window goes on the work area: the place nearest the main window that
// covers no window already open, or, when there is none, a step down and right from the
// last one, always wholly on the work area.
#pragma once
#include <vector>

struct screen_box {
  int left, top, right, bottom;
};

bool boxes_overlap(const screen_box& a, const screen_box& b);
// The box moved (and, when larger than the area, cut) so that it lies wholly on area.
screen_box fit_within(const screen_box& box, const screen_box& area);
// taken[0] is the main window, the windows opened after it follow in order; width and
// height are the new window's size; step is how far a window opened over the last one is
// offset from it.
screen_box find_window_slot(const screen_box& work, int width, int height, const std::vector<screen_box>& taken,
                            int step);
