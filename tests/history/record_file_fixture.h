// For tests of record files: a scratch folder, the default separator put back and no
// planted fault left after each test, and the records a file reads as.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "history/record_file.h"
#include "text/file_faults.h"
#include "tests/support/scratch_dir.h"

inline std::vector<std::string> records_of(const char* name) {
  record_stream reader;
  reader.open(name, open_mode::read);
  std::vector<std::string> texts;
  int counter = 0;
  while (read_record(reader, counter) == read_result::record) texts.emplace_back(clip_text);
  return texts;
}

class record_file_fixture : public scratch_dir_test {
 protected:
  void TearDown() override {
    plant_file_fault(file_step::none, "");
    std::snprintf(record_separator, separator_size, "%s", "\a\n");
    scratch_dir_test::TearDown();
  }
  static void use_separator(const std::string& separator) {
    std::snprintf(record_separator, separator_size, "%s", separator.c_str());
  }
};
