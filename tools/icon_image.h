// The program's icon, drawn in code so that the .ico file can be rebuilt at any time.
#ifndef DOVANE_CLIP_TOOLS_ICON_IMAGE_H
#define DOVANE_CLIP_TOOLS_ICON_IMAGE_H

#include <vector>

// Bytes of the icon file: a clipboard (board, clip at the top, a sheet with text lines)
// at 32x32 in 16 colours, 32x32 in 256 colours and 48x48 in 256 colours.
std::vector<unsigned char> make_icon_file();

#endif
