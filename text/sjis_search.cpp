#include "text/sjis_search.h"

#include <cstring>

#include "text/encodings.h"

namespace {
// A lead byte and a trail byte after it are one character; a lead byte without one
// stands alone.
const char* next_character(const char* at) {
    const bool pair = is_sjis_lead(static_cast<unsigned char>(at[0])) &&
                      is_sjis_trail(static_cast<unsigned char>(at[1]));
    return at + (pair ? 2 : 1);
}
}  // namespace

const char* sjis_find(const char* text, const char* wanted) {
    // Byte matches are found fast; the boundary walk only ever moves forward.
    const char* boundary = text;
    for (const char* found = std::strstr(text, wanted); found != nullptr;
         found = std::strstr(found + 1, wanted)) {
        while (boundary < found) boundary = next_character(boundary);
        if (boundary == found) return found;
    }
    return nullptr;
}
