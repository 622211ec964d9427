// The numbered backups the compaction moves the oldest clips to, found in the data folder.
#pragma once
#include <string>
#include <vector>

#include "history/file_ops.h"

// Every file named as a backup, in no order.
std::vector<std::string> backup_file_names();
// The backups the compaction numbered ("3_clip_bak.txt"), oldest first.
std::vector<listed_file> numbered_backups();
