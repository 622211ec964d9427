#include "history/clip_side_file.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

#include "history/file_ops.h"
#include "history/record_append.h"
#include "history/record_file.h"
#include "history/side_index.h"
#include "settings/save_report.h"
#include "text/file_replace.h"
#include "text/unicode_text.h"
#include "text/file_names.h"

namespace {
constexpr char temporary_name[] = "_clip_original.tmp";
// The first line a compaction writes: the bytes of the lines it kept.
constexpr char referenced_mark[] = "referenced\t";
constexpr std::uint64_t growth_allowance = 64 * 1024;

side_index known;

// Read when a key is first asked for, and again once another program changed the file.
side_index& current_index() {
  if (!known.is_current(side_file_name)) known.load(side_file_name);
  return known;
}

// Cuts a last line that has no line end (a torn write) off the file, so that it can never
// join the next line; returns the size the next line starts at.
std::uint64_t cut_torn_tail(std::string& prefix) {
  std::uint64_t size = 0;
  if (!file_size_of(side_file_name, size) || size == 0) return 0;
  std::FILE* file = open_side_file_raw(side_file_name);
  if (file == nullptr) return size;
  std::uint64_t end = size;
  bool found = false;
  char chunk[4096];
  while (end > 0 && !found) {
    const std::uint64_t from = end > sizeof chunk ? end - sizeof chunk : 0;
    const std::size_t want = static_cast<std::size_t>(end - from);
    if (!seek_stream(file, from) || std::fread(chunk, 1, want, file) != want) {
      end = size;
      break;
    }
    for (std::size_t i = want; i > 0 && !found; --i)
      if (chunk[i - 1] == '\n') {
        end = from + i;
        found = true;
      }
    if (!found) end = from;
  }
  std::fclose(file);
  if (end == size || truncate_file(side_file_name, end)) return end;
  // The torn line stays: ended here, it is a line of its own that reads as nothing.
  prefix = "\n";
  return size;
}

// The file as our last append left it: while it is so, it ends on a whole line.
file_stamp left_by_us;
bool left_known = false;

struct side_look {
  bool exists = false;
  file_stamp stamp;
};

side_look look_at_side_file() {
  side_look look;
  look.exists = stamp_of_path(side_file_name, look.stamp);
  return look;
}

// Appends whole lines after the file's last whole line; at receives where they start.
bool append_side_lines(const std::string& lines, const side_look& look, std::uint64_t& at) {
  std::string bytes;
  std::uint64_t size = look.exists ? look.stamp.size : 0;
  if (look.exists && !(left_known && same_state(look.stamp, left_by_us))) size = cut_torn_tail(bytes);
  at = size + bytes.size();
  bytes += lines;
  const bool saved = append_or_cut_back(side_file_name, bytes, size);
  left_known = saved && stamp_of_path(side_file_name, left_by_us);
  return report_save(saved, kept_file::originals, side_file_name);
}

bool read_original_line(const side_entry& entry, const sha256_digest& key, std::u16string& out) {
  if (entry.original_at == no_side_line) return false;
  std::FILE* file = open_side_file_raw(side_file_name);
  if (file == nullptr) return false;
  std::string line(entry.original_length, '\0');
  const bool read = seek_stream(file, entry.original_at) && std::fread(&line[0], 1, line.size(), file) == line.size();
  std::fclose(file);
  side_line parsed;
  return read && parse_side_line(line.data(), line.size(), parsed) && parsed.kind == side_kind::original &&
         parsed.key == key && unescape_original(parsed.value, parsed.value_length, out);
}

// A line edited by hand may name a record it was not made from.
bool converts_to(const std::u16string& original, const char* record) {
  std::unique_ptr<char[]> field(new char[clip_size]);
  const sjis_conversion converted = utf16_to_sjis(original.data(), original.size(), field.get(), clip_size);
  const std::size_t length = std::strlen(record);
  return !converted.cut && converted.length == length && std::memcmp(field.get(), record, length) == 0;
}

std::uint64_t referenced_bytes_noted() {
  std::FILE* file = open_side_file_raw(side_file_name);
  if (file == nullptr) return 0;
  char head[48] = {};
  const std::size_t got = std::fread(head, 1, sizeof head - 1, file);
  std::fclose(file);
  const std::size_t mark = sizeof referenced_mark - 1;
  if (got < mark || std::memcmp(head, referenced_mark, mark) != 0) return 0;
  std::uint64_t bytes = 0;
  for (const char* digit = head + mark; *digit >= '0' && *digit <= '9'; ++digit)
    bytes = bytes * 10 + static_cast<std::uint64_t>(*digit - '0');
  return bytes;
}

using line_choice = std::function<void(std::uint64_t at, const side_line& parsed, const char* line,
                                       std::size_t length, std::string& out)>;

// Writes the lines choose lets through, after the mark, into a copy that then takes the
// file's place in one step.
bool rewrite_side_file(std::uint64_t referenced_bytes, const line_choice& choose) {
  record_stream copy;
  bool written = copy.open(temporary_name, open_mode::rewrite);
  char mark[48];
  std::snprintf(mark, sizeof mark, "%s%llu\n", referenced_mark, static_cast<unsigned long long>(referenced_bytes));
  written = written && copy.write(mark, std::strlen(mark));
  std::string out;
  bool copied = written;
  const bool read = for_each_side_line(side_file_name, [&](std::uint64_t at, const char* line, std::size_t length) {
    side_line parsed;
    out.clear();
    if (copied && parse_side_line(line, length, parsed)) choose(at, parsed, line, length, out);
    if (copied && !out.empty()) copied = copy.write(out.data(), out.size()) && copy.write("\n", 1);
  });
  written = copy.flush() && written && read && copied;
  written = copy.close() && written;
  const bool saved = written && replace_file(temporary_name, side_file_name);
  if (!saved) remove_file(temporary_name);
  known.clear();
  left_known = false;
  return report_save(saved, kept_file::originals, side_file_name);
}

void mark_referenced(const std::vector<std::string>& record_files, std::vector<bool>& referenced) {
  std::unique_ptr<char[]> record(new char[clip_size]);
  for (const std::string& name : record_files) {
    record_stream file;
    if (!file.open(name.c_str(), open_mode::read_must_exist)) continue;
    int counter = 0;
    while (read_record_into(file, counter, record.get()) == read_result::record) {
      const std::size_t position = known.position_of(short_key(record_key(record.get())));
      if (position < referenced.size()) referenced[position] = true;
    }
  }
}

const std::size_t time_line_bytes = time_line(sha256_digest{}, clip_time{2000, 1, 1, 0, 0, 0}).size() + 2;
}  // namespace

sha256_digest record_key(const char* record) { return sha256(record, std::strlen(record)); }

namespace {
struct waiting_time {
  sha256_digest key;
  clip_time time;
};
// Times of captures not on disk yet, oldest first.
std::vector<waiting_time> waiting_times;

// Appends lines to the side file; while the index follows the file, note(at) puts in it
// what they say (at: where they start) and the index follows our append.
template <typename noting>
bool append_and_follow(const side_look& look, bool follow, const std::string& lines, noting note) {
  std::uint64_t at = 0;
  const bool saved = append_side_lines(lines, look, at);
  if (!follow) return saved;
  if (!saved || !left_known) {
    known.clear();
    return saved;
  }
  note(at);
  known.follow_own_append(left_by_us);
  return true;
}

// Whether the index stands for the file as it now is; it is cleared when it does not.
bool index_follows(const side_look& look) {
  const bool follow = known.is_current(look.exists, look.stamp);
  if (!follow) known.clear();
  return follow;
}
}  // namespace

void keep_time_soon(const char* record, const clip_time& time) {
  if (pack_time(time) != 0) waiting_times.push_back({record_key(record), time});
}

bool write_waiting_times() {
  if (waiting_times.empty()) return true;
  std::vector<waiting_time> times;
  times.swap(waiting_times);
  const side_look look = look_at_side_file();
  std::string lines;
  for (const waiting_time& waiting : times) lines += time_line(waiting.key, waiting.time) + "\n";
  return append_and_follow(look, index_follows(look), lines, [&times](std::uint64_t) {
    for (const waiting_time& waiting : times) known.entry_for(short_key(waiting.key)).time = pack_time(waiting.time);
  });
}

bool keep_side_lines(const char* record, const char16_t* original, std::size_t units, const clip_time* time) {
  // Lines keep the order of the captures: the newest line of a key is the one read back.
  write_waiting_times();
  const std::uint32_t packed = time != nullptr ? pack_time(*time) : 0;
  const sha256_digest key = record_key(record);
  const side_look look = look_at_side_file();
  // Captures only add lines: the file is read for them only once a key was asked for.
  const bool follow = index_follows(look);
  const side_entry* entry = follow ? known.find(short_key(key)) : nullptr;
  std::u16string kept;
  const bool already_kept = original != nullptr && entry != nullptr && read_original_line(*entry, key, kept) &&
                            kept.compare(0, std::u16string::npos, original, units) == 0;
  std::string lines;
  if (original != nullptr && !already_kept) lines = original_line(key, original, units) + "\n";
  const std::size_t original_length = lines.empty() ? 0 : lines.size() - 1;
  if (packed != 0) lines += time_line(key, *time) + "\n";
  if (lines.empty()) return true;
  return append_and_follow(look, follow, lines, [&](std::uint64_t at) {
    side_entry& kept_entry = known.entry_for(short_key(key));
    if (original_length > 0) {
      kept_entry.original_at = at;
      kept_entry.original_length = static_cast<std::uint32_t>(original_length);
    }
    if (packed != 0) kept_entry.time = packed;
  });
}

bool keep_original(const char* record, const char16_t* original, std::size_t units) {
  return keep_side_lines(record, original, units, nullptr);
}

bool keep_time(const char* record, const clip_time& time) {
  return pack_time(time) != 0 && keep_side_lines(record, nullptr, 0, &time);
}

bool original_of(const char* record, std::u16string& original) {
  // Most clips have none, and they need not wait for the side file's first reading.
  if (!may_stand_for_other_text(record, std::strlen(record))) return false;
  const sha256_digest key = record_key(record);
  const side_entry* entry = current_index().find(short_key(key));
  std::u16string kept;
  if (entry == nullptr || !read_original_line(*entry, key, kept) || !converts_to(kept, record)) return false;
  original.swap(kept);
  return true;
}

bool time_of(const char* record, clip_time& time) {
  const sha256_digest key = record_key(record);
  for (auto waiting = waiting_times.rbegin(); waiting != waiting_times.rend(); ++waiting)
    if (waiting->key == key) {
      time = waiting->time;
      return true;
    }
  const side_entry* entry = current_index().find(short_key(key));
  if (entry == nullptr || entry->time == 0) return false;
  time = unpack_time(entry->time);
  return true;
}

bool drop_side_keys(const std::vector<sha256_digest>& keys) {
  write_waiting_times();
  std::uint64_t size = 0;
  if (keys.empty() || !file_size_of(side_file_name, size)) return true;
  return rewrite_side_file(referenced_bytes_noted(),
                           [&keys](std::uint64_t, const side_line& parsed, const char* line, std::size_t length,
                                   std::string& out) {
                             for (const sha256_digest& key : keys)
                               if (parsed.key == key) return;
                             out.assign(line, length);
                           });
}

bool compact_side_file(const std::vector<std::string>& record_files) {
  write_waiting_times();
  std::uint64_t size = 0;
  if (!file_size_of(side_file_name, size)) return true;
  known.load(side_file_name);
  const std::vector<side_entry>& entries = known.entries();
  std::vector<bool> referenced(entries.size());
  mark_referenced(record_files, referenced);
  std::uint64_t bytes = 0;
  for (std::size_t p = 0; p < entries.size(); ++p) {
    if (!referenced[p]) continue;
    if (entries[p].original_at != no_side_line) bytes += entries[p].original_length + 2;
    if (entries[p].time != 0) bytes += time_line_bytes;
  }
  std::vector<bool> time_written(entries.size());
  return rewrite_side_file(bytes, [&](std::uint64_t at, const side_line& parsed, const char* line,
                                      std::size_t length, std::string& out) {
    const std::size_t p = known.position_of(short_key(parsed.key));
    if (p == entries.size() || !referenced[p]) return;
    const side_entry& entry = entries[p];
    if (parsed.kind == side_kind::original) {
      if (at == entry.original_at) out.assign(line, length);
    } else if (entry.time != 0 && !time_written[p] && parse_time_value(parsed.value, parsed.value_length) == entry.time) {
      out = time_line(parsed.key, unpack_time(entry.time));
      time_written[p] = true;
    }
  });
}

bool side_file_has_grown() {
  std::uint64_t size = 0;
  if (!file_size_of(side_file_name, size) || size <= growth_allowance) return false;
  return size > 2 * referenced_bytes_noted() + growth_allowance;
}
