// A shortcut key in the one readable form the settings file and the user see, such as
// "Ctrl+Shift+V": modifiers Ctrl, Alt, Shift and Win, then one key name.
#pragma once
#include <cstddef>

// The platform's modifier flags and virtual-key codes, spelled out so this stays portable.
constexpr unsigned hotkey_alt = 0x1;
constexpr unsigned hotkey_control = 0x2;
constexpr unsigned hotkey_shift = 0x4;
constexpr unsigned hotkey_win = 0x8;

struct hotkey {
  unsigned modifiers;  // hotkey_* flags
  unsigned key;        // virtual-key code; 0 when no shortcut is set
};

// Long enough for every name format_hotkey_name makes.
constexpr size_t hotkey_name_size = 40;

// Reads a name such as "Ctrl+Shift+V" (case and blanks around "+" do not matter). An
// empty text, an unknown name, a modifier given twice, modifiers alone or a key without
// a modifier are refused: false, and out keeps what it held.
bool parse_hotkey_name(const char* text, hotkey& out);
// Writes the name of key into out; false (out empty) for a key that has no name or no
// modifier, which parse_hotkey_name would refuse.
bool format_hotkey_name(const hotkey& key, char* out, size_t size);
