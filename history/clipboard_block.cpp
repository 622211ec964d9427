#include "history/clipboard_block.h"

copied_text copy_clipboard_block(const char* block, size_t size, char* field, size_t field_size) {
  copied_text copied{0, false};
  if (block == nullptr || size == 0 || block[0] == '\0' || field_size == 0) return copied;
  const size_t room = field_size - 1;
  while (copied.length < size && copied.length < room && block[copied.length] != '\0') {
    field[copied.length] = block[copied.length];
    ++copied.length;
  }
  field[copied.length] = '\0';
  copied.cut = copied.length == room && copied.length < size && block[copied.length] != '\0';
  return copied;
}
