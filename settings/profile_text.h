// The settings file's text in the profile format ("[section]" lines, "key=value" lines),
// read and changed as the Shift_JIS bytes it holds, so that names in any script come
// back as they were written whatever the system's code page. Section and key names match
// whatever the case of their ASCII letters; a value in matching quotes reads without them.
#pragma once
#include <string>

// The value of key in section; false when there is none.
bool profile_value(const std::string& text, const char* section, const char* key, std::string& value);

// The text with key set to value in section: in its own line where it stands, else at
// the end of the section, the section added at the end of the text when missing. A null
// value removes the key. Every other line stays as it was; lines end in CR LF.
std::string profile_with(const std::string& text, const char* section, const char* key, const char* value);
