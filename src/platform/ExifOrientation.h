#pragma once
// The EXIF Orientation tag (IFD0, 0x0112) and turning decoded pixels upright by it.
#include <cstddef>
#include <cstdint>

#include "platform/ImageCodecRaster.h"

namespace trackalbum {

// The orientation stored in an APP1 segment's payload ("Exif\0\0" and a TIFF structure):
// 1 to 8, or 1 when the payload is not Exif, the tag is missing or its value is invalid.
// Every offset and count is checked against the payload; a later entry wins.
int ParseExifOrientation(const uint8_t* payload, size_t size);

// Whether the orientation swaps width and height (5 to 8: turned by a quarter).
bool OrientationSwapsSides(int orientation);

// Turns the pixels so that the stored picture is shown upright. False (raster unchanged)
// when the memory for a turned copy cannot be had.
bool ApplyOrientation(Raster& raster, int orientation);

}  // namespace trackalbum
