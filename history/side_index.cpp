#include "history/side_index.h"
#include "text/file_names.h"

#include <algorithm>
#include <cstring>
#include <string>

std::FILE* open_side_file_raw(const char* name) { return open_file(name, "rb"); }

namespace {
void visit_line(const side_line_visitor& visit, std::uint64_t at, const char* line, std::size_t length) {
  if (length > 0 && line[length - 1] == '\r') --length;
  visit(at, line, length);
}
}  // namespace

bool for_each_side_line(const char* name, const side_line_visitor& visit) {
  std::FILE* file = open_side_file_raw(name);
  if (file == nullptr) return false;
  std::vector<char> buffer(65536);
  std::string carried;  // the start of a line that goes on in the next read
  std::uint64_t carried_at = 0;
  std::uint64_t offset = 0;
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    const char* bytes = buffer.data();
    std::size_t from = 0;
    while (const void* found = std::memchr(bytes + from, '\n', got - from)) {
      const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
      if (carried.empty()) {
        visit_line(visit, offset + from, bytes + from, end - from);
      } else {
        carried.append(bytes + from, end - from);
        visit_line(visit, carried_at, carried.data(), carried.size());
        carried.clear();
      }
      from = end + 1;
    }
    if (from < got) {
      if (carried.empty()) carried_at = offset + from;
      carried.append(bytes + from, got - from);
    }
    offset += got;
  }
  const bool read = std::ferror(file) == 0;
  std::fclose(file);
  return read;
}

std::uint64_t short_key(const sha256_digest& key) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = value << 8 | key[static_cast<std::size_t>(i)];
  return value;
}

void side_index::load(const char* name) {
  clear();
  loaded_ = true;
  exists_ = stamp_of_path(name, stamp_);
  if (!exists_) return;
  // One entry a line first, in the file's order, so that the newest line of a key is the
  // last of its run once sorted.
  std::vector<side_entry> lines;
  for_each_side_line(name, [&lines](std::uint64_t at, const char* line, std::size_t length) {
    side_line parsed;
    if (!parse_side_line(line, length, parsed)) return;
    side_entry entry;
    entry.key = short_key(parsed.key);
    if (parsed.kind == side_kind::original) {
      entry.original_at = at;
      entry.original_length = static_cast<std::uint32_t>(length);
    } else {
      entry.time = parse_time_value(parsed.value, parsed.value_length);
      if (entry.time == 0) return;
    }
    lines.push_back(entry);
  });
  std::stable_sort(lines.begin(), lines.end(),
                   [](const side_entry& a, const side_entry& b) { return a.key < b.key; });
  for (const side_entry& line : lines) {
    if (loaded_entries_.empty() || loaded_entries_.back().key != line.key) loaded_entries_.push_back(side_entry{line.key});
    side_entry& entry = loaded_entries_.back();
    if (line.original_at != no_side_line) {
      entry.original_at = line.original_at;
      entry.original_length = line.original_length;
    }
    if (line.time != 0) entry.time = line.time;
  }
  loaded_entries_.shrink_to_fit();
}

void side_index::clear() {
  std::vector<side_entry>().swap(loaded_entries_);
  std::unordered_map<std::uint64_t, side_entry>().swap(kept_since_load_);
  stamp_ = file_stamp{};
  exists_ = false;
  loaded_ = false;
}

bool side_index::is_current(const char* name) const {
  if (!loaded_) return false;
  file_stamp now;
  const bool exists = stamp_of_path(name, now);
  return is_current(exists, now);
}

bool side_index::is_current(bool exists, const file_stamp& now) const {
  return loaded_ && exists == exists_ && (!exists || same_state(now, stamp_));
}

void side_index::follow_own_append(const file_stamp& now) {
  exists_ = true;
  stamp_ = now;
}

std::size_t side_index::position_of(std::uint64_t key) const {
  const auto found = std::lower_bound(loaded_entries_.begin(), loaded_entries_.end(), key,
                                      [](const side_entry& entry, std::uint64_t k) { return entry.key < k; });
  if (found == loaded_entries_.end() || found->key != key) return loaded_entries_.size();
  return static_cast<std::size_t>(found - loaded_entries_.begin());
}

const side_entry* side_index::find(std::uint64_t key) const {
  const auto kept = kept_since_load_.find(key);
  if (kept != kept_since_load_.end()) return &kept->second;
  const std::size_t position = position_of(key);
  return position < loaded_entries_.size() ? &loaded_entries_[position] : nullptr;
}

side_entry& side_index::entry_for(std::uint64_t key) {
  const auto kept = kept_since_load_.find(key);
  if (kept != kept_since_load_.end()) return kept->second;
  const side_entry* loaded = find(key);
  side_entry& entry = kept_since_load_[key];
  entry = loaded != nullptr ? *loaded : side_entry{key};
  return entry;
}
