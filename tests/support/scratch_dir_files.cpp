#include <fstream>
#include <sstream>

#include "tests/support/scratch_dir.h"

std::string scratch_dir_test::read_file(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void scratch_dir_test::write_file(const char* name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
