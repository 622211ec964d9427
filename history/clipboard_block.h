// Copying the text of a clipboard memory block: another program may hand over a block
// without a terminator, so the copy never reads past the block's size.
#pragma once
#include <cstddef>

struct copied_text {
  size_t length;  // bytes copied, terminator excluded
  bool cut;       // the text went on past what the field could hold
};

// Copies the text of block (size bytes, ending at its first zero byte or at its end)
// into field (field_size bytes, terminator included). An empty text leaves field as it was.
copied_text copy_clipboard_block(const char* block, size_t size, char* field, size_t field_size);
