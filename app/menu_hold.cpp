#include "app/menu_hold.h"

#include <utility>
#include <vector>

#include "app/app_state.h"

namespace {

bool menu_open = false;
bool list_open = false;
std::vector<std::function<void()>> held;

bool holding() { return menu_open || list_open; }

void post_held_changes() {
  // Posted, so it comes after the choice the menu posted before it closed.
  if (!holding() && !held.empty()) PostMessageW(main_window, held_menu_changes_message, 0, 0);
}

}  // namespace

void on_enter_menu_loop() { menu_open = true; }

void on_exit_menu_loop() {
  menu_open = false;
  post_held_changes();
}

void hold_for_clip_list(bool open) {
  list_open = open;
  post_held_changes();
}

void change_clip_menu(std::function<void()> change) {
  if (holding()) {
    held.push_back(std::move(change));
    return;
  }
  change();
}

void make_held_menu_changes() {
  if (holding()) return;
  std::vector<std::function<void()>> changes;
  changes.swap(held);
  for (const auto& change : changes) change();
}
