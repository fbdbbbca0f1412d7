#include "platform/ExifOrientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace trackalbum {

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;

uint16_t Get16(const uint8_t* p, bool bigEndian) {
    return bigEndian ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
}

uint32_t Get32(const uint8_t* p, bool bigEndian) {
    return bigEndian ? (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3])
                     : (uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
}

}  // namespace

int ParseExifOrientation(const uint8_t* payload, size_t size) {
    if (size < 6 + 8 || std::memcmp(payload, "Exif\0\0", 6) != 0) return 1;
    const uint8_t* tiff = payload + 6;
    const size_t tiffSize = size - 6;
    bool bigEndian;
    if (tiff[0] == 'I' && tiff[1] == 'I') bigEndian = false;
    else if (tiff[0] == 'M' && tiff[1] == 'M') bigEndian = true;
    else return 1;
    if (Get16(tiff + 2, bigEndian) != 42) return 1;
    const uint64_t ifd = Get32(tiff + 4, bigEndian);
    if (ifd + 2 > tiffSize) return 1;
    const uint64_t count = Get16(tiff + ifd, bigEndian);
    int orientation = 1;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t entry = ifd + 2 + i * 12;
        if (entry + 12 > tiffSize) break;
        const uint8_t* e = tiff + entry;
        if (Get16(e, bigEndian) != kOrientationTag) continue;
        if (Get16(e + 2, bigEndian) != kTypeShort || Get32(e + 4, bigEndian) < 1) continue;
        const uint16_t value = Get16(e + 8, bigEndian);
        orientation = value >= 1 && value <= 8 ? value : 1;
    }
    return orientation;
}

bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

UprightPlacer::UprightPlacer(Raster& upright, int orientation)
    : upright_(upright), orientation_(orientation >= 1 && orientation <= 8 ? orientation : 1) {}

uint8_t* UprightPlacer::TargetRow(int storedY) {
    const bool flipped = orientation_ == 3 || orientation_ == 4;
    return upright_.Row(flipped ? upright_.height - 1 - storedY : storedY);
}

void UprightPlacer::FinishRow(int storedY) {
    if (orientation_ != 2 && orientation_ != 3) return;
    uint8_t* row = TargetRow(storedY);
    const size_t pixel = static_cast<size_t>(upright_.channels);
    for (int a = 0, b = upright_.width - 1; a < b; ++a, --b)
        std::swap_ranges(row + a * pixel, row + (a + 1) * pixel, row + b * pixel);
}

namespace {

// Stored pixel (sx, sy) lands at upright (x, y) with y from sx alone and x from sy alone:
// 5 transposes, 6 turns a quarter clockwise, 7 transverses, 8 turns anticlockwise. A batch
// of stored rows fills a run of neighbouring pixels in every upright row.
template <int Pixel>
void PlaceRows(Raster& upright, int orientation, int firstStoredY, int count, const uint8_t* batch, size_t stride) {
    const int storedWidth = upright.height;
    const int storedHeight = upright.width;
    const bool mirrorColumns = orientation == 7 || orientation == 8;  // y = w - 1 - sx
    const bool mirrorRows = orientation == 6 || orientation == 7;     // x = h - 1 - sy
    const ptrdiff_t step = mirrorRows ? -Pixel : Pixel;
    const size_t firstX = static_cast<size_t>(mirrorRows ? storedHeight - 1 - firstStoredY : firstStoredY);
    for (int sx = 0; sx < storedWidth; ++sx) {
        uint8_t* out = upright.Row(mirrorColumns ? storedWidth - 1 - sx : sx) + firstX * Pixel;
        const uint8_t* in = batch + static_cast<size_t>(sx) * Pixel;
        for (int i = 0; i < count; ++i, in += stride, out += step) std::memcpy(out, in, Pixel);
    }
}

}  // namespace

void UprightPlacer::Place(int firstStoredY, int count, const uint8_t* batch, size_t stride) {
    if (upright_.channels == 4) PlaceRows<4>(upright_, orientation_, firstStoredY, count, batch, stride);
    else PlaceRows<3>(upright_, orientation_, firstStoredY, count, batch, stride);
}

}  // namespace trackalbum
