#pragma once
// The photo reduction filter: each target pixel is the mean of the source pixels around its
// centre, weighted by a parabolic window and rounded down.
#include "image/Image.h"

namespace trackalbum {

// Landscape photos become 160 pixels wide, square and upright ones 120.
int GetShrinkWidth(int width, int height);

// Reduces a W x H source to `targetWidth` W' x H * W' / W (at least one row), keeping the
// source's depth. With r = (W / W') / 2, the target pixel (x, y) is centred on
// (W * x / W', H * y / H') and weighs the source samples inside the image by
// (r² - dx²) × (r² - dy²); each channel is the weighted mean rounded down. With r = 0
// the window would be empty, so the pixel takes the centre sample. When W' > W the target
// is an unscaled copy of the source. False (and the target empty) when the source is
// empty, `targetWidth` is not positive or the target cannot be created.
bool ShrinkImage(const Image& source, int targetWidth, Image& target);

}  // namespace trackalbum
