// Moving the history reader from record to record. Positions are counted as reading
// from the top counts them; the offset index lets the reader jump to where that reading
// would have taken it.
#pragma once

constexpr int move_to_position = 1;  // move_target is the position to reach
constexpr int move_by_steps = 2;     // move_target is the number of steps still to go

extern int move_target;
extern int move_mode;

// Reads forward from the reader's position towards move_target in move_mode.
void move();
// Where current_index was set without moving the reader (start-up leaves it at the end
// position with the reader before record 1; a capture sets it to the new record), the
// next read on from the reader numbers records from where the reader stands.
void follow_reader();
// The reader back before record 1, current_index 0, every appended record visible.
void restart_from_top();

// Inside one operation that makes many moves (the start-up re-use fill), the file is
// looked at once, at the start, instead of at every restart.
class one_look_at_the_file {
 public:
  one_look_at_the_file();
  ~one_look_at_the_file();
  one_look_at_the_file(const one_look_at_the_file&) = delete;
  one_look_at_the_file& operator=(const one_look_at_the_file&) = delete;
};
// To the record before the one on show, or 100 before it; from record 1 to the newest.
void move_back(bool jump);
// To the next record, or 100 ahead, from where the reader stands; past the end the steps
// left go on from record 1, once.
void move_forward(bool jump);
