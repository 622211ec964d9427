// The history's own side of moving through it as the user sees it: the back stack of
// positions put on the clipboard, and the two searches.
#pragma once

constexpr int back_stack_size = 20;

extern int back_stack[back_stack_size];  // positions put on the clipboard, newest first

void push_position(int position);
// Rotates rather than runs out: the popped entry goes to the bottom.
int pop_position();
// Reads on from the reader to the next record holding wanted (by whole characters) and
// leaves it in clip_text; when there is none, the position, the clip and the reader stay
// as they were, and false.
bool find_record_holding(const char* wanted);
// The same for the next record that begins with byte; after a miss the next such search
// starts from the top.
bool find_record_starting_with(unsigned char byte);
// A move or a search that finds something starts the letter search afresh.
void forget_missed_letter();
