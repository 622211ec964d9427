// Each test runs in a fresh empty current directory, since every state file lives there.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

class scratch_dir_test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  static std::string read_file(const char* name);
  static void write_file(const char* name, const std::string& bytes);
  static bool file_exists(const char* name);

 private:
  std::string previous_dir_;
  std::string dir_;
};
