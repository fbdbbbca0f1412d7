// HEIF files over arbitrary bytes: the container read from memory and through a reader (both
// must agree), the Exif item's facts, the sizes that grids declare, and the primary picture
// and thumbnails decoded under a low pixel limit. Nothing may read outside the bytes, throw,
// or decode past the limit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "photos/ExifReader.h"
#include "platform/HeifFile.h"

namespace {

// Low enough that a hostile header cannot take the fuzzer's memory.
constexpr int64_t kMaxPixels = 4'000'000;

void CheckRaster(const trackalbum::Raster& raster) {
    if (raster.IsEmpty()) return;
    if (int64_t{raster.width} * raster.height > kMaxPixels || (raster.channels != 3 && raster.channels != 4)) std::abort();
    unsigned sum = 0;
    for (int y = 0; y < raster.height; ++y) sum += raster.Row(y)[raster.Stride() - 1];
    (void)sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace trackalbum;
    static const bool zoneSet = [] {
        setenv("TZ", "UTC", 1);
        return true;
    }();
    (void)zoneSet;
    ExifReader reader;
    const int32_t result = reader.ReadBuffer(data, size);
    if (result != 0 && result != 1) std::abort();
    if (const auto& position = reader.GetPosition()) {
        if (!(std::fabs(position->Latitude) <= 90 && std::fabs(position->Longitude) <= 180)) std::abort();
    }

    MemoryReader bytes(data, size);
    HeifFile streamed;
    const bool opened = streamed.OpenReader(bytes);
    HeifFile file;
    if (!file.OpenMemory(data, size)) return 0;
    if (!opened || streamed.GetWidth() != file.GetWidth() || streamed.GetHeight() != file.GetHeight()) std::abort();
    if (streamed.CheckSize(kMaxPixels) != file.CheckSize(kMaxPixels)) std::abort();
    std::vector<uint8_t> tiff;
    file.ReadExifTiff(tiff);
    Raster raster;
    if (file.DecodeThumbnail([](int, int, int, int) { return true; }, kMaxPixels, raster) == CodecStatus::Ok) CheckRaster(raster);
    if (file.Decode(kMaxPixels, raster) == CodecStatus::Ok) CheckRaster(raster);
    return 0;
}
