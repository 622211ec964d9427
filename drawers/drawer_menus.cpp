#include "drawers/drawer_menus.h"

#include "app/clip_menus.h"
#include "drawers/drawer_names.h"

void select_block(int block) {
  mark_block(block);
  current_block = block;
}
