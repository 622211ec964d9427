// Forgetting a text for good: every record that is that text goes from the record files
// that keep clips, each file written again beside itself and swapped in, so no byte of
// it stays on the disk; and clearing those files the same way.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "history/byte_copy.h"
#include "history/file_ops.h"
#include "history/record_index.h"

// One record file's records that are the text.
struct record_cut {
  std::string name;
  std::vector<int> removed;       // their numbers as the reader counts them, ascending
  std::vector<byte_range> kept;   // every other byte of the file, in order
  file_stamp stamp{};             // the file as the pass read it
  // The history's copy's offsets, made with the copy, so that the program's thread need
  // not read the whole history again once the copy is in its place.
  std::shared_ptr<record_index> copy_index;
};

// A record is the text when the reader reads it as the text (a zero byte ends what it
// reads), or when the records from it on lie exactly as the text was written (a text
// holding the stop byte is written as several records). Reads the file once; false when
// it is there but cannot be read. A missing file has nothing to cut.
bool find_text_records(const char* name, const char* text, record_cut& cut);
// The temporary file a record file is written again into, beside it.
std::string temporary_of(const std::string& name);

// The files that keep clips, by their names in the data folder.
struct kept_files {
  std::string history;                 // the file the re-use index numbers
  std::vector<std::string> others;     // backups, the ring file, the re-use file
  std::string reuse_index;
  std::string reuse_index_pending;     // a renumbered index still to take its place
};

struct forget_report {
  int records = 0;           // records removed
  int files = 0;             // files written again
  bool whole = true;         // false: some file could not be written again and is as it was
  std::string failed;        // the first such file
  // The numbers of the records removed, by file, as the files were before.
  std::vector<std::pair<std::string, std::vector<int>>> removed_from;
  // The history's offsets as it now is, when they were made with its copy.
  std::shared_ptr<record_index> history_index;
};

// The slow part, which touches nothing but the files: each file that holds the text is
// read and its other bytes written to its temporary. Files without the text are left out.
struct forget_work {
  std::string text;
  std::vector<record_cut> cuts;  // one per temporary written
  forget_report report;
};
forget_work prepare_forget(const char* text, const kept_files& files);
// Swaps the temporaries in and renumbers the re-use index for the history. A file found
// changed since its pass (a capture during the work) is cut again first. The history
// goes first: once it is shorter, only a renumbered index fits it, which is kept as the
// pending index when it cannot take its place yet. Temporaries never stay behind.
forget_report finish_forget(forget_work& work, const kept_files& files);
// Both in one go.
forget_report forget_text(const char* text, const kept_files& files);

// Empties every file that exists (the history, the others, the re-use index), each
// through an empty temporary swapped in; a pending index goes too.
forget_report clear_files(const kept_files& files);

