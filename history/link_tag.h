// Link tags: a URL clip followed by its caption becomes an HTML anchor, put on the
// clipboard and kept one per line in the link-tag file.
#pragma once

#include <windows.h>

// Makes the tag from the two newest ring slots, puts it on the clipboard as owner's and
// appends it to the link-tag file; true when the line was saved.
bool make_link_tag(HWND owner);
// Makes the link-tag file named by the settings when it is missing; once, at start-up.
void open_link_tag_file();
// Empties the link-tag file; the next tag becomes its first line.
void clear_link_tag_file();
