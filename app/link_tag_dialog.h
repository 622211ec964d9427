// A link tag made from the two newest clips, confirmed by the "TAGLINK" notice, which says
// whether the tag line was saved and closes by itself after a second. It shows over the
// program the user copies in without taking the focus from it.
#pragma once

void make_and_confirm_link_tag();
