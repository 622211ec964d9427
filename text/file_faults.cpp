#include "text/file_faults.h"

#include <cstdio>
#include <cstring>

namespace {
file_step planted_step = file_step::none;
char planted_name[64] = "";
}  // namespace

void plant_file_fault(file_step step, const char* name) {
  planted_step = step;
  std::snprintf(planted_name, sizeof planted_name, "%s", name);
}

bool file_fault(file_step step, const char* path) {
  if (step != planted_step || step == file_step::none) return false;
  const std::size_t length = std::strlen(path);
  const std::size_t name_length = std::strlen(planted_name);
  if (name_length == 0) return true;
  if (length < name_length || std::strcmp(path + length - name_length, planted_name) != 0) return false;
  // The whole last part of the path: "1_clip_bak.txt" is not "_clip.txt".
  return length == name_length || path[length - name_length - 1] == '\\' || path[length - name_length - 1] == '/';
}
