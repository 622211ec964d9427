// A link tag made from the two newest clips, confirmed by the "TAGLINK" dialog, which
// says whether the tag line was saved and closes by itself after a second.
#pragma once

void make_and_confirm_link_tag();
