// The ten drawer menus of the current block.
#pragma once

// Moves the block check mark, makes b the current block and refills the drawer menus.
void select_block(int block);
