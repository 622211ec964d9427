#include "app/menu_hold.h"

#include <utility>
#include <vector>

#include "app/app_state.h"

namespace {

bool menu_open = false;
std::vector<std::function<void()>> held;

}  // namespace

void on_enter_menu_loop() { menu_open = true; }

void on_exit_menu_loop() {
  menu_open = false;
  // Posted, so it comes after the choice the menu posted before it closed.
  if (!held.empty()) PostMessageW(main_window, held_menu_changes_message, 0, 0);
}

void change_clip_menu(std::function<void()> change) {
  if (menu_open) {
    held.push_back(std::move(change));
    return;
  }
  change();
}

void make_held_menu_changes() {
  if (menu_open) return;
  std::vector<std::function<void()>> changes;
  changes.swap(held);
  for (const auto& change : changes) change();
}
