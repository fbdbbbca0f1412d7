#pragma once
// The EXIF Orientation tag (IFD0, 0x0112) and placing decoded pixels upright by it.
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

// Puts stored rows, as a decoder delivers them, where they belong in the upright picture,
// so that turning costs no second copy of the image.
class UprightPlacer {
public:
    // `upright` already has the upright shape (sides swapped for 5 to 8).
    UprightPlacer(Raster& upright, int orientation);

    // Whether stored rows must be decoded into a scratch batch and handed to Place (the
    // quarter turns); otherwise they are decoded straight into TargetRow.
    bool NeedsScratch() const { return orientation_ >= 5; }
    // The upright row that stored row `storedY` becomes (orientations 1 to 4).
    uint8_t* TargetRow(int storedY);
    // Completes a row decoded into TargetRow (mirrors it for 2 and 3).
    void FinishRow(int storedY);
    // Places `count` consecutive stored rows from `batch`, `stride` bytes apart.
    void Place(int firstStoredY, int count, const uint8_t* batch, size_t stride);

private:
    Raster& upright_;
    int orientation_;
};

}  // namespace trackalbum
