#include <stdlib.h>
#include <unistd.h>

#include <climits>

#include "tests/support/scratch_dir.h"

void scratch_dir_test::SetUp() {
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  previous_dir_ = previous;
  // TMPDIR lets a caller that may abort the tests midway collect what they leave behind.
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/dovane_test_XXXXXX";
  ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
  dir_ = pattern;
  ASSERT_EQ(chdir(dir_.c_str()), 0);
}

void scratch_dir_test::TearDown() {
  if (chdir(previous_dir_.c_str()) != 0) return;
  std::string command = "rm -rf '" + dir_ + "'";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << dir_;
}

bool scratch_dir_test::file_exists(const char* name) { return access(name, F_OK) == 0; }
