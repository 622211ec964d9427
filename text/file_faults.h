// A seam for tests: one step of writing one file fails, as on a full disk, a locked file
// or a rename the system refuses, so every writer's failure path can be run and watched.
// The program itself never plants a fault, and then no step fails here.
#pragma once

enum class file_step { none, open, write, flush, close, replace };

// The step that is to fail, for the file whose path ends in name, or for every file when
// name is empty (a full disk); file_step::none clears it.
void plant_file_fault(file_step step, const char* name);
// True when the planted fault is this step of the file at path.
bool file_fault(file_step step, const char* path);
