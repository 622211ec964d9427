// Every save of a file ends in report_save, whichever subsystem wrote it, and a file found
// replaced or removed by another program is reported too; the shell listens at start-up
// and tells the user, once per kind of file. Without a listener nothing is told.
#pragma once

enum class kept_file { history, ring, settings, reuse, link_tags, drawer, originals };
constexpr int kept_file_kinds = 7;

class save_listener {
 public:
  virtual ~save_listener() = default;
  virtual void save_done(kept_file kind, const char* file_name, bool saved) = 0;
  virtual void replaced_from_outside(kept_file kind, const char* file_name) = 0;
  virtual void set_aside(kept_file kind, const char* file_name, const char* kept_as) = 0;
};

// nullptr: no one listens.
void listen_to_saves(save_listener* listener);
// Tells the listener how writing the named file went; passes saved through.
bool report_save(bool saved, kept_file kind, const char* file_name);
void report_replaced(kept_file kind, const char* file_name);
// A file found unfit to use was left unused and kept under the name kept_as.
void report_set_aside(kept_file kind, const char* file_name, const char* kept_as);
