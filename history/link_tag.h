// Link tags: a URL clip followed by its caption becomes an HTML anchor, put on the
// clipboard and kept one per line in the link-tag file.
#pragma once

// Makes the tag from the two newest ring slots, puts it on the clipboard, appends it to
// the link-tag file and confirms with the "TAGLINK" dialog (which says whether it was saved).
void make_link_tag();
// Opens the link-tag file named by the settings for appending; once, at start-up.
void open_link_tag_file();
// Empties the link-tag file; the next tag becomes its first line.
void clear_link_tag_file();
