#include "settings/save_report.h"

namespace {
save_listener* listener = nullptr;
}  // namespace

void listen_to_saves(save_listener* new_listener) { listener = new_listener; }

bool report_save(bool saved, kept_file kind, const char* file_name) {
  if (listener != nullptr) listener->save_done(kind, file_name, saved);
  return saved;
}

void report_replaced(kept_file kind, const char* file_name) {
  if (listener != nullptr) listener->replaced_from_outside(kind, file_name);
}

void report_set_aside(kept_file kind, const char* file_name, const char* kept_as) {
  if (listener != nullptr) listener->set_aside(kind, file_name, kept_as);
}
