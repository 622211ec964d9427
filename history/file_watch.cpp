#include "history/file_watch.h"

void file_watch::start(const char* name) {
  stop();
  name_ = name;
  stream_.open(name, open_mode::read);
  stream_.stamp(stamp_);
}

void file_watch::stop() {
  notice_.stop();
  stream_.close();
  name_.clear();
  stamp_ = file_stamp{};
  end_ = 0;
  tail_.clear();
  told_ = folder_notice::news{};
  listen_tried_ = false;
}

void file_watch::let_go() {
  held_ = false;
  close_unless_held();
}

void file_watch::hold() { held_ = true; }

void file_watch::close_unless_held() {
  if (held_) return;
  notice_.stop();
  stream_.close();
  listen_tried_ = false;
}

record_stream& file_watch::stream() {
  if (!stream_.is_open() && !name_.empty()) stream_.open(name_.c_str(), open_mode::read_must_exist);
  return stream_;
}

std::string file_watch::tail_at(std::uint64_t end) {
  const std::uint64_t from = end > tail_bytes ? end - tail_bytes : 0;
  std::string bytes(static_cast<std::size_t>(end - from), '\0');
  if (!bytes.empty() && !stream_.read_raw_at(from, &bytes[0], bytes.size())) bytes.clear();
  return bytes;
}

void file_watch::accept(std::uint64_t end) {
  stream();
  file_stamp now = stamp_;
  if (stream_.size_and_time(now)) stamp_ = now;
  end_ = end;
  tail_ = tail_at(end);
  told_ = folder_notice::news{};
  close_unless_held();
}

file_watch::state file_watch::look() {
  const state seen = look_now();
  close_unless_held();
  return seen;
}

file_watch::state file_watch::look_now() {
  if (!stream_.is_open()) {
    const file_stamp held = stamp_;
    if (name_.empty() || !stream_.open(name_.c_str(), open_mode::read_must_exist) || !stream_.stamp(stamp_) ||
        !same_file(held, stamp_))
      return state::changed;
    stamp_ = held;
  }
  // A watch that is never asked costs no listening; the first look is a full one.
  if (!listen_tried_) {
    listen_tried_ = true;
    notice_.listen(name_.c_str());
    told_ = {true, true};
  } else {
    const folder_notice::news news = notice_.take();
    told_.name = told_.name || news.name;
    told_.contents = told_.contents || news.contents;
  }
  if (told_.name) {
    file_stamp named;
    if (!stamp_of_path(name_.c_str(), named) || !same_file(named, stamp_)) return state::changed;
  }
  file_stamp now = stamp_;
  if (!stream_.size_and_time(now) || now.size < stamp_.size) return state::changed;
  const bool same_size_and_time = now.size == stamp_.size && now.written == stamp_.written;
  if (same_size_and_time && !told_.name && !told_.contents) return state::same;
  if (tail_at(end_) != tail_) return state::changed;
  if (now.size > stamp_.size) return state::grown;
  if (!same_size_and_time) return state::changed;
  // Told of a change that left everything as it was: one of our own writes, seen late.
  told_ = folder_notice::news{};
  return state::same;
}
