// The EXIF reader over arbitrary bytes: it must never read outside what it was given, never
// throw, report a time only together with a result of 1, and a position only when it is valid.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "photos/ExifReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool zoneSet = [] {
        setenv("TZ", "UTC", 1);
        return true;
    }();
    (void)zoneSet;
    trackalbum::ExifReader reader;
    const int32_t result = reader.ReadBuffer(data, size);
    if (result != 0 && result != 1) std::abort();
    if (result == 0 && reader.GetTime() != trackalbum::TimeValue()) std::abort();
    if (const auto& position = reader.GetPosition()) {
        const double latitude = position->Latitude, longitude = position->Longitude;
        if (!(std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180) || (latitude == 0 && longitude == 0)) std::abort();
    }
    return 0;
}
