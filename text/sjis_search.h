// Finding a text inside Shift_JIS text by whole characters: a byte match that starts on
// the trail byte of a double-byte character is no match.
#pragma once

// The first place in text, on a character boundary, where wanted starts; nullptr when
// there is none. An empty wanted matches at the start.
const char* sjis_find(const char* text, const char* wanted);
