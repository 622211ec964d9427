// The numbered backups the compaction moves the oldest clips to, found in the data folder.
#pragma once
#include <string>
#include <vector>

// Every file named as a backup, in no order.
std::vector<std::string> backup_file_names();
// The backups the compaction numbered ("3_clip_bak.txt"), oldest first.
std::vector<std::string> numbered_backups();
