// While one of the program's menus is open, clips captured meanwhile (another program
// copies) wait to enter the menus: the user's choice arrives by its position in the menu
// as it was shown, and an entry added or dropped meanwhile would shift that position onto
// another clip.
#pragma once
#include <windows.h>

#include <functional>

// WM_ENTERMENULOOP and WM_EXITMENULOOP of the main window; the changes held meanwhile are
// made once the choice posted by the menu has run.
void on_enter_menu_loop();
void on_exit_menu_loop();
// The same for the shortcut's clip list, which is a window and no menu loop.
void hold_for_clip_list(bool open);
// A change of a clip menu: made now, or held while a menu is open.
void change_clip_menu(std::function<void()> change);
// The message on_exit_menu_loop posts; makes every held change, in order.
constexpr UINT held_menu_changes_message = WM_APP + 42;
void make_held_menu_changes();
