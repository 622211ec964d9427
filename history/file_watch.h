// Whether a file read by offset is still as it was last seen, at almost no cost when
// nothing changed: the file stays open on a stream of the watch's own, whose size and
// time are read through it; the name is looked at only after the platform told of a
// change to it, and the last bytes read again only after it told of any change.
#pragma once
#include <cstdint>
#include <string>

#include "history/folder_notice.h"
#include "history/record_file.h"

class file_watch {
 public:
  // Opens name (created empty when missing, as a reading opening does); what it holds
  // now is what later looks compare with, once accept() has said where its records end.
  void start(const char* name);
  void stop();
  // Until hold(), the file is open only while it is looked at or read, so that we may
  // replace or delete it ourselves (Windows keeps a name whose file is open); what was
  // accepted is kept, and each look opens the name again and compares.
  void let_go();
  void hold();
  // The watch's own reader, opened again by name when let go; positioned only by
  // whoever reads records through it.
  record_stream& stream();
  const std::string& name() const { return name_; }
  // Volume, file index, size and time the last accept() saw.
  const file_stamp& stamp() const { return stamp_; }

  // The file as it now is becomes what later looks compare with: the bytes before end
  // as its tail, its size and time as read through the stream.
  void accept(std::uint64_t end);

  enum class state {
    same,     // the name stands for the same file, of the size and time accepted
    grown,    // the same file, longer, the bytes before the accepted end as they were
    changed,  // anything else: another file, shorter, rewritten, gone
  };
  state look();

 private:
  state look_now();
  void close_unless_held();
  std::string tail_at(std::uint64_t end);
  static constexpr std::size_t tail_bytes = 32;
  record_stream stream_;
  folder_notice notice_;
  std::string name_;
  file_stamp stamp_;
  std::uint64_t end_ = 0;
  std::string tail_;
  // What the platform told since the last accept(), kept until the state is accepted.
  folder_notice::news told_;
  bool listen_tried_ = false;
  bool held_ = true;
};
