#include "history/reuse_index.h"

#include <climits>

namespace {
bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// A word counts as a number when it is an optional sign and digits, nothing else.
bool read_word(record_stream& index, int& number) {
  bool negative = false;
  if (index.peek() == '-' || index.peek() == '+') negative = index.get() == '-';
  bool digits = false;
  long long value = 0;
  while (is_digit(index.peek())) {
    digits = true;
    const int digit = index.get() - '0';
    if (value < INT_MAX) value = value * 10 + digit;
  }
  bool clean = digits;
  while (index.peek() != EOF && !is_space(index.peek())) {
    index.get();
    clean = false;
  }
  if (!clean) return false;
  if (value > INT_MAX - 1) value = INT_MAX - 1;
  number = static_cast<int>(negative ? -value : value);
  return true;
}
}  // namespace

bool read_index_number(record_stream& index, int& number) {
  for (;;) {
    while (is_space(index.peek())) index.get();
    if (index.peek() == EOF) return false;
    if (read_word(index, number)) return true;
  }
}

bool is_sound_index(record_stream& index, int history_count) {
  long long value = 0;
  bool digits = false;
  for (;;) {
    const int c = index.get();
    if (c == EOF && !digits) return true;
    if (c == EOF || c == '\n') {
      if (!digits || value < 1 || value > history_count) return false;
      if (c == EOF) return true;
      value = 0;
      digits = false;
      continue;
    }
    if (!is_digit(c)) return false;
    digits = true;
    if (value <= history_count) value = value * 10 + (c - '0');
  }
}
