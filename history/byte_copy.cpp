#include "history/byte_copy.h"

#include <cstdio>

#include "history/file_ops.h"
#include "history/record_file.h"
#include "history/record_index.h"
#include "text/file_faults.h"
#include "text/file_names.h"

namespace {
constexpr std::uint64_t fnv_offset = 14695981039346656037ULL;
constexpr std::uint64_t fnv_prime = 1099511628211ULL;

struct digest {
  std::uint64_t length = 0;
  std::uint64_t hash = fnv_offset;
  void add(const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * fnv_prime;
    length += count;
  }
};

class file_handle {
 public:
  file_handle(const char* name, const char* mode) : file_(open_file(name, mode)) {}
  ~file_handle() { close(); }
  file_handle(const file_handle&) = delete;
  file_handle& operator=(const file_handle&) = delete;
  std::FILE* get() const { return file_; }
  bool close() {
    bool closed = true;
    if (file_) closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

 private:
  std::FILE* file_;
};

constexpr std::size_t chunk = 65536;

bool copy_range(std::FILE* in, std::FILE* out, bool failing, const byte_range& range, digest& written) {
  if (range.to < range.from || !seek_stream(in, range.from)) return false;
  unsigned char buffer[chunk];
  std::uint64_t left = range.to - range.from;
  while (left > 0) {
    const std::size_t want = left < chunk ? static_cast<std::size_t>(left) : chunk;
    if (std::fread(buffer, 1, want, in) != want) return false;
    if (std::fwrite(buffer, 1, failing ? want / 2 : want, out) != want) return false;
    written.add(buffer, want);
    left -= want;
  }
  return true;
}

bool read_back(const char* name, digest& found) {
  file_handle in(name, "rb");
  if (in.get() == nullptr) return false;
  unsigned char buffer[chunk];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, chunk, in.get())) > 0) found.add(buffer, got);
  return !std::ferror(in.get());
}

bool write_copy(const char* source, const std::vector<byte_range>& ranges, const char* target, digest& written) {
  file_handle in(source, "rb");
  file_handle out(target, "wb");
  if (in.get() == nullptr || out.get() == nullptr || file_fault(file_step::open, target)) return false;
  const bool failing = file_fault(file_step::write, target);
  for (const byte_range& range : ranges)
    if (!copy_range(in.get(), out.get(), failing, range, written)) return false;
  if (file_fault(file_step::flush, target) || std::fflush(out.get()) != 0) return false;
  return out.close() && !file_fault(file_step::close, target);
}
}  // namespace

bool copy_byte_ranges(const char* source, const std::vector<byte_range>& ranges, const char* target) {
  digest written;
  digest found;
  const bool copied = write_copy(source, ranges, target, written) && read_back(target, found) &&
                      found.length == written.length && found.hash == written.hash;
  if (!copied) remove_file(target);
  return copied;
}

bool split_record_file(const record_index& index, int records, const char* head, const char* tail) {
  if (records < 1 || index.count() <= records) return false;
  const char* source = index.name().c_str();
  const std::uint64_t size = index.file_size();
  const std::uint64_t split = index.start(records + 1);
  if (!copy_byte_ranges(source, {{0, split}}, head)) return false;
  if (copy_byte_ranges(source, {{split, size}}, tail)) return true;
  remove_file(head);
  return false;
}
