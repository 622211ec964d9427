// Date and time stamps. The clock is read by the caller, so the formatting
// works the same on any machine and at any time.
#pragma once

#include <cstddef>

constexpr std::size_t stamp_format_size = 32;

// Year, month, day and hour, minute, second formats, in that order of arguments.
extern char date_format[stamp_format_size];
extern char time_format[stamp_format_size];

// Puts back the built-in formats.
void set_stamp_defaults();

// Each writes at most size bytes, terminator included, and returns target.
char* format_date_stamp(char* target, std::size_t size, const char* format,
                        int year, int month, int day);
char* format_time_stamp(char* target, std::size_t size, const char* format,
                        int hour, int minute, int second);
