#include "text/stamps.h"

#include <cstdio>

char date_format[stamp_format_size] = "%04d/%02d/%02d";
char time_format[stamp_format_size] = "%02d:%02d:%02d";

namespace {

char* format_three(char* target, std::size_t size, const char* format,
                   int first, int second, int third) {
    std::snprintf(target, size, format, first, second, third);
    return target;
}

}  // namespace

char* format_date_stamp(char* target, std::size_t size, const char* format,
                        int year, int month, int day) {
    return format_three(target, size, format, year, month, day);
}

char* format_time_stamp(char* target, std::size_t size, const char* format,
                        int hour, int minute, int second) {
    return format_three(target, size, format, hour, minute, second);
}

void set_stamp_defaults() {
  std::snprintf(date_format, sizeof date_format, "%s", "%04d/%02d/%02d");
  std::snprintf(time_format, sizeof time_format, "%s", "%02d:%02d:%02d");
}
