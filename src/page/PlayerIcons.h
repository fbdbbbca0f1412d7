#pragma once
// The player's moving icon and its shadow, drawn by us: the pages name them under
// "/ridefinder/images/" of IconHost, so with IconHost "." they must lie beside the pages.
#include "image/Image.h"

namespace trackalbum {

// 12 x 20, a red pin whose point is at the bottom centre (the icon's anchor 6, 20).
Image DrawPlayerIcon();
// 22 x 20, the pin's soft shadow falling up to the right from the same point; black with alpha.
Image DrawPlayerIconShadow();

// Writes html/ridefinder/images/mm_20_red.png and mm_20_shadow.png, making the folders.
// Raises FileError when a file cannot be written; an old file then stays as it was.
void WritePlayerIcons();

}  // namespace trackalbum
