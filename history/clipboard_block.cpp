#include "history/clipboard_block.h"

#include "text/sjis.h"

namespace {

// A text cut at the field's end keeps only whole characters: a lead byte whose trail byte
// stayed in the block would come back as a different character.
size_t whole_characters(const char* block, size_t size, size_t length) {
  size_t whole = 0;
  while (whole < length) {
    const bool pair = whole + 1 < size && is_sjis_lead(static_cast<unsigned char>(block[whole])) &&
                      is_sjis_trail(static_cast<unsigned char>(block[whole + 1]));
    const size_t width = pair ? 2 : 1;
    if (whole + width > length) break;
    whole += width;
  }
  return whole;
}

}  // namespace

copied_text copy_clipboard_block(const char* block, size_t size, char* field, size_t field_size) {
  copied_text copied{0, false};
  if (block == nullptr || size == 0 || block[0] == '\0' || field_size == 0) return copied;
  const size_t room = field_size - 1;
  while (copied.length < size && copied.length < room && block[copied.length] != '\0') {
    field[copied.length] = block[copied.length];
    ++copied.length;
  }
  copied.cut = copied.length == room && copied.length < size && block[copied.length] != '\0';
  if (copied.cut) copied.length = whole_characters(block, size, copied.length);
  field[copied.length] = '\0';
  return copied;
}
