#include "history/time_label.h"

#include <cstdint>
#include <cstdio>

namespace {

// Days since 2000-01-01 and one, or 0 off the calendar.
std::int64_t day_of(const clip_time& time) {
  const std::uint32_t packed = pack_time(clip_time{time.year, time.month, time.day, 0, 0, 0});
  return packed == 0 ? 0 : packed / 86400 + 1;
}

}  // namespace

void write_time_label(const clip_time& when, const clip_time& now, char* out, std::size_t size) {
  out[0] = '\0';
  const std::int64_t day = day_of(when);
  if (day == 0 || pack_time(when) == 0) return;
  const std::int64_t today = day_of(now);
  if (day == today)
    std::snprintf(out, size, "%02d/%02d %02d:%02d", when.month, when.day, when.hour, when.minute);
  else if (day + 1 == today)
    std::snprintf(out, size, "昨日");
  else
    std::snprintf(out, size, "%04d/%02d/%02d", when.year, when.month, when.day);
}
