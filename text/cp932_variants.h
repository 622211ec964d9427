// The one form a search gives each kanji and sign of code page 932 that the code page
// writes more than one way, or that has a common form of the same kanji.
#pragma once

// The pair (lead byte << 8 | trail byte) a search reads pair as: itself unless it is a
// second spelling of a character or a variant of a common kanji.
unsigned search_form_of_pair(unsigned pair);
