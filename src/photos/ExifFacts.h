#pragma once
// When and where a photo was taken, as its Exif block says: read from the block's TIFF
// structure (byte order, the number 42, the offset of IFD0, then the directories). IFD0
// leads to the Exif sub-directory and to the GPS directory; nothing else is followed, so no
// pointer can lead the reader round in a circle.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "gps/TimeValue.h"

namespace trackalbum {

struct GpsPosition {
    double Latitude = 0.0;   // degrees, negative south
    double Longitude = 0.0;  // degrees, negative west
};

struct ExifFacts {
    // The first of DateTimeOriginal, DateTimeDigitized and IFD0's DateTime that is present
    // and gives a representable time (an unset clock writes zeros: the next one is tried).
    // An edited photo's DateTime is when it was edited, so it comes last.
    std::optional<TimeValue> TakenTime;
    // The GPS directory's latitude and longitude, when both are there and valid: no zero
    // denominator, within ±90 and ±180, not both exactly 0, and the status not 'V' (void).
    std::optional<GpsPosition> Position;
};

// `tiff` starts with the byte order ("II" little-endian, anything else big-endian). Within
// one directory a later entry of a tag overrides an earlier one; an entry whose value lies
// outside `size` bytes counts as absent.
ExifFacts ReadExifFacts(const uint8_t* tiff, size_t size);

}  // namespace trackalbum
