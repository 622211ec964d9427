#include <gtest/gtest.h>

#include <vector>

#include "app/window_slots.h"

namespace {

struct slot_case {
  const char* what;
  std::vector<screen_box> taken;
  screen_box expected;
};

bool same(const screen_box& a, const screen_box& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A 1280x770 work area, windows of 420x190, the main window at the top left as it opens.
TEST(window_slots, a_new_window_goes_beside_the_main_window_and_the_ones_before_and_stays_on_the_area) {
  const screen_box work{0, 0, 1280, 770};
  const screen_box main{32, 0, 592, 420};
  const slot_case cases[] = {
      {"right of the main window", {main}, {592, 0, 1012, 190}},
      {"below the first", {main, {592, 0, 1012, 190}}, {592, 190, 1012, 380}},
      {"below the second", {main, {592, 0, 1012, 190}, {592, 190, 1012, 380}}, {592, 380, 1012, 570}},
      {"left of a main window at the right edge", {{900, 100, 1280, 500}}, {480, 100, 900, 290}},
      {"above a main window that is off the area's edge", {{-200, 700, 300, 900}}, {0, 510, 420, 700}},
      {"a step from the last when nothing is free",
       {{0, 0, 1280, 770}, {100, 100, 520, 290}},
       {120, 120, 540, 310}},
      {"held on the area when the step would leave it", {{0, 0, 1280, 770}, {860, 580, 1280, 770}}, {860, 580, 1280, 770}},
  };
  for (const slot_case& c : cases) {
    const screen_box got = find_window_slot(work, 420, 190, c.taken, 20);
    EXPECT_TRUE(same(got, c.expected)) << c.what << ": " << got.left << "," << got.top << "," << got.right << ","
                                       << got.bottom;
  }
}

TEST(window_slots, a_box_is_moved_onto_the_area_and_cut_only_where_it_is_larger) {
  const screen_box got = fit_within({-50, -50, 2000, 300}, {0, 40, 1280, 800});
  EXPECT_TRUE(same(got, {0, 40, 1280, 390}));
}

}  // namespace
