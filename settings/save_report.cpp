#include "settings/save_report.h"

namespace {
save_listener listener = nullptr;
}  // namespace

void listen_to_saves(save_listener new_listener) { listener = new_listener; }

bool report_save(bool saved, const char* file_name) {
  if (listener != nullptr) listener(saved, file_name);
  return saved;
}
