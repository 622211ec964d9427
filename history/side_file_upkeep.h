// Keeping the side file to what the data folder's records still name.
#pragma once

// Keeps only the side-file lines of keys that a record of some record file of the data
// folder still names (the history, its backups, the ring, the re-use file, the drawers).
bool tidy_side_file();
// At start-up: tidies the side file once it has grown past twice what the last tidying
// left, so the file stays bounded whether or not the history is saved.
void tidy_side_file_when_grown();
