// Text on the clipboard in the form each side expects: read as its owner put it,
// written as Shift_JIS that Unicode programs read right too.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "history/clipboard_block.h"

struct clipboard_text {
  bool found;              // the clipboard held text
  copied_text copied;      // what went into the field
  std::size_t unmappable;  // characters Shift_JIS lacks, stored as '?'
  const char* wrapped;     // for our own output, the clip it wrapped in its affixes
};

// Copies the clipboard's text into field (field_size bytes, terminator included). The
// first text format the clipboard lists decides: CF_TEXT gives its bytes as they are,
// CF_UNICODETEXT is converted with code page 932. own_output asks whether the text is
// the last output of put_clip. The clipboard must be open.
clipboard_text read_clipboard_text(char* field, std::size_t field_size, bool own_output);

// Puts Shift_JIS text (length bytes) on the clipboard as CF_TEXT, as CF_UNICODETEXT
// converted from it with code page 932 (or the original it was made from, when given)
// and with CF_LOCALE Japanese, in one opening of the clipboard; owner owns it afterwards.
// false when another program kept the clipboard open through every try.
bool put_shift_jis_on_clipboard(HWND owner, const char* text, std::size_t length,
                                const std::u16string* original = nullptr);

// Told of every output: false when the clipboard stayed busy. nullptr: no one listens.
void listen_to_clipboard_outputs(void (*listener)(bool reached));
