#include "history/forget.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "history/record_file.h"
#include "history/reuse_index.h"
#include "text/file_replace.h"
#include "text/file_names.h"

namespace {
// The bytes write_record stores for text.
std::string stored_form(const char* text) {
  std::string stored;
  auto add = [&stored](const char* bytes) {
    for (const char* c = bytes; *c != '\0'; ++c) {
      if (*c == '\n') stored += '\r';
      stored += *c;
    }
  };
  add(text);
  add(record_separator);
  return stored;
}

class raw_file {
 public:
  explicit raw_file(const char* name) : file_(open_file(name, "rb")) {}
  ~raw_file() {
    if (file_ != nullptr) std::fclose(file_);
  }
  raw_file(const raw_file&) = delete;
  raw_file& operator=(const raw_file&) = delete;
  bool holds_at(std::uint64_t at, const std::string& bytes) {
    std::string found(bytes.size(), '\0');
    return file_ != nullptr && seek_stream(file_, at) &&
           std::fread(&found[0], 1, found.size(), file_) == found.size() && found == bytes;
  }

 private:
  std::FILE* file_;
};

// The records from a start whose raw bytes are the stored text, until a record starts
// where those bytes end; dropped when a record starts past that.
struct written_run {
  bool open = false;
  std::uint64_t end = 0;
  std::vector<int> numbers;
  std::vector<byte_range> spans;
};

struct removal {
  int number;
  byte_range span;
};

void close_run(written_run& run, std::uint64_t at, std::vector<removal>& removed) {
  if (!run.open || at < run.end) return;
  if (at == run.end)
    for (std::size_t i = 0; i < run.numbers.size(); ++i) removed.push_back({run.numbers[i], run.spans[i]});
  run = written_run{};
}

bool write_empty(const std::string& temporary) {
  record_stream file;
  const bool opened = file.open(temporary.c_str(), open_mode::rewrite);
  const bool flushed = opened && file.flush();
  return file.close() && flushed;
}

bool read_numbers(const char* name, std::vector<int>& numbers) {
  record_stream index;
  if (!index.open(name, open_mode::read_must_exist)) return false;
  int number = 0;
  while (read_index_number(index, number)) numbers.push_back(number);
  return true;
}

bool write_numbers(const std::string& temporary, const std::vector<int>& numbers) {
  record_stream file;
  bool written = file.open(temporary.c_str(), open_mode::rewrite);
  for (int number : numbers) {
    char line[16];
    const int length = std::snprintf(line, sizeof line, "%d\n", number);
    written = written && file.write(line, static_cast<std::size_t>(length));
  }
  written = file.flush() && written;
  return file.close() && written;
}

bool exists(const std::string& name) {
  file_stamp stamp;
  return stamp_of_path(name.c_str(), stamp);
}

// Puts the temporary in the place of name; a temporary that cannot go there goes.
bool swap_in(const std::string& name) {
  const std::string temporary = temporary_of(name);
  if (replace_file(temporary.c_str(), name.c_str())) return true;
  remove_file(temporary.c_str());
  return false;
}

void note_failure(forget_report& report, const std::string& name) {
  if (report.whole) report.failed = name;
  report.whole = false;
}

// The copy is on disk before the program's thread swaps it in.
bool cut_to_temporary(const char* text, const std::string& name, record_cut& cut) {
  return find_text_records(name.c_str(), text, cut) &&
         (cut.removed.empty() || (copy_byte_ranges(name.c_str(), cut.kept, temporary_of(name).c_str()) &&
                                  sync_file(temporary_of(name).c_str())));
}

// Entries of removed records (ascending numbers) go; later ones move down by the records
// removed before them.
std::vector<int> renumber_after_removal(const std::vector<int>& numbers, const std::vector<int>& removed) {
  std::vector<int> renumbered;
  for (int number : numbers) {
    const auto before = std::lower_bound(removed.begin(), removed.end(), number);
    if (before != removed.end() && *before == number) continue;
    renumbered.push_back(number - static_cast<int>(before - removed.begin()));
  }
  return renumbered;
}

// A history shorter by removed records takes the index along.
bool renumber_index(const kept_files& files, const std::vector<int>& removed, bool& renumbered) {
  renumbered = false;
  std::vector<int> numbers;
  if (removed.empty() || !read_numbers(files.reuse_index.c_str(), numbers)) return true;
  const std::string temporary = temporary_of(files.reuse_index);
  if (!write_numbers(temporary, renumber_after_removal(numbers, removed))) {
    remove_file(temporary.c_str());
    return false;
  }
  renumbered = true;
  return true;
}
}  // namespace

std::string temporary_of(const std::string& name) { return name + ".tmp"; }

bool find_text_records(const char* name, const char* text, record_cut& cut) {
  cut = record_cut{};
  cut.name = name;
  record_stream reader;
  if (!reader.open(name, open_mode::read_must_exist)) return !exists(name);
  reader.stamp(cut.stamp);
  const std::string stored = stored_form(text);
  const char* stop = std::strchr(text, record_separator[0]);
  const std::string first_piece(text, stop != nullptr ? static_cast<std::size_t>(stop - text) : 0);
  raw_file raw(name);
  std::unique_ptr<char[]> record(new char[clip_size]);
  std::vector<removal> removed;
  written_run run;
  int number = 0;
  for (;;) {
    const std::uint64_t at = reader.tell();
    close_run(run, at, removed);
    if (read_record_into(reader, number, record.get()) != read_result::record) break;
    const byte_range span{at, reader.tell()};
    if (std::strcmp(record.get(), text) == 0) removed.push_back({number, span});
    if (!run.open && stop != nullptr && first_piece == record.get() && raw.holds_at(at, stored)) {
      run.open = true;
      run.end = at + stored.size();
    }
    if (run.open) {
      run.numbers.push_back(number);
      run.spans.push_back(span);
    }
  }
  std::uint64_t size = 0;
  if (!file_size_of(name, size)) return false;
  close_run(run, size, removed);
  std::sort(removed.begin(), removed.end(), [](const removal& a, const removal& b) { return a.number < b.number; });
  std::uint64_t from = 0;
  for (std::size_t i = 0; i < removed.size(); ++i) {
    if (i > 0 && removed[i].number == removed[i - 1].number) continue;
    cut.removed.push_back(removed[i].number);
    if (removed[i].span.from > from) cut.kept.push_back({from, removed[i].span.from});
    from = removed[i].span.to;
  }
  if (size > from) cut.kept.push_back({from, size});
  return true;
}

forget_work prepare_forget(const char* text, const kept_files& files) {
  forget_work work;
  work.text = text;
  std::vector<std::string> names{files.history};
  names.insert(names.end(), files.others.begin(), files.others.end());
  for (const std::string& name : names) {
    record_cut cut;
    if (!cut_to_temporary(text, name, cut)) {
      note_failure(work.report, name);
    } else if (!cut.removed.empty()) {
      if (name == files.history) {
        cut.copy_index = std::make_shared<record_index>();
        cut.copy_index->build(temporary_of(name).c_str());
        // Closed: the copy is renamed into its place.
        cut.copy_index->let_go();
      }
      work.cuts.push_back(cut);
    }
  }
  return work;
}

forget_report finish_forget(forget_work& work, const kept_files& files) {
  forget_report report = work.report;
  // Only the pending index of an earlier removal fits the history as it is now.
  if (exists(files.reuse_index_pending) &&
      !replace_file(files.reuse_index_pending.c_str(), files.reuse_index.c_str())) {
    for (const record_cut& cut : work.cuts) remove_file(temporary_of(cut.name).c_str());
    note_failure(report, files.reuse_index);
    return report;
  }
  for (record_cut& cut : work.cuts) {
    file_stamp now;
    // Changed since its pass: the temporary lacks what was added, so the file is cut again.
    if (!stamp_of_path(cut.name.c_str(), now) || !same_state(now, cut.stamp)) {
      remove_file(temporary_of(cut.name).c_str());
      cut.copy_index.reset();
      if (!cut_to_temporary(work.text.c_str(), cut.name, cut)) {
        note_failure(report, cut.name);
        cut.removed.clear();
        continue;
      }
      if (cut.removed.empty()) continue;
    }
    const bool is_history = cut.name == files.history;
    bool renumbered = false;
    if (is_history && !renumber_index(files, cut.removed, renumbered)) {
      remove_file(temporary_of(cut.name).c_str());
      note_failure(report, files.reuse_index);
      continue;
    }
    if (!swap_in(cut.name)) {
      note_failure(report, cut.name);
      if (renumbered) remove_file(temporary_of(files.reuse_index).c_str());
      continue;
    }
    report.records += static_cast<int>(cut.removed.size());
    report.removed_from.emplace_back(cut.name, cut.removed);
    if (is_history) report.history_index = cut.copy_index;
    ++report.files;
    if (!renumbered) continue;
    if (replace_file(temporary_of(files.reuse_index).c_str(), files.reuse_index.c_str())) {
      ++report.files;
      continue;
    }
    // Only the renumbered index fits the shortened history: kept for the next try.
    if (!replace_file(temporary_of(files.reuse_index).c_str(), files.reuse_index_pending.c_str()))
      remove_file(temporary_of(files.reuse_index).c_str());
    note_failure(report, files.reuse_index);
  }
  return report;
}

forget_report forget_text(const char* text, const kept_files& files) {
  forget_work work = prepare_forget(text, files);
  return finish_forget(work, files);
}

forget_report clear_files(const kept_files& files) {
  forget_report report;
  // The index first: entries of a history that is gone would show other records.
  if (exists(files.reuse_index_pending) && !remove_file(files.reuse_index_pending.c_str()))
    note_failure(report, files.reuse_index_pending);
  std::vector<std::string> names{files.reuse_index, files.history};
  names.insert(names.end(), files.others.begin(), files.others.end());
  for (const std::string& name : names) {
    if (!exists(name)) continue;
    const std::string temporary = temporary_of(name);
    if (!write_empty(temporary) || !swap_in(name)) {
      remove_file(temporary.c_str());
      note_failure(report, name);
      continue;
    }
    ++report.files;
  }
  return report;
}
