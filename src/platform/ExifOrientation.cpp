#include "platform/ExifOrientation.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

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

bool ApplyOrientation(Raster& raster, int orientation) {
    if (orientation <= 1 || orientation > 8 || raster.IsEmpty()) return true;
    const int w = raster.width;
    const int h = raster.height;
    const int ch = raster.channels;
    const size_t pixel = static_cast<size_t>(ch);
    if (orientation == 4 || orientation == 3) {  // flip the rows (and, for 3, each row)
        std::vector<uint8_t> scratch(raster.Stride());
        for (int y = 0; y < h / 2; ++y) {
            std::memcpy(scratch.data(), raster.Row(y), raster.Stride());
            std::memcpy(raster.Row(y), raster.Row(h - 1 - y), raster.Stride());
            std::memcpy(raster.Row(h - 1 - y), scratch.data(), raster.Stride());
        }
    }
    if (orientation == 2 || orientation == 3) {  // mirror each row
        for (int y = 0; y < h; ++y) {
            uint8_t* row = raster.Row(y);
            for (int a = 0, b = w - 1; a < b; ++a, --b)
                std::swap_ranges(row + a * pixel, row + (a + 1) * pixel, row + b * pixel);
        }
    }
    if (orientation <= 4) return true;

    // Quarter turns and diagonal mirrors: output (x, y) of the h x w result takes the
    // stored pixel (sx, sy).
    Raster turned;
    if (!turned.Allocate(h, w, ch)) return false;
    for (int y = 0; y < w; ++y) {
        uint8_t* out = turned.Row(y);
        for (int x = 0; x < h; ++x, out += pixel) {
            int sx = 0, sy = 0;
            switch (orientation) {
                case 5: sx = y; sy = x; break;                  // transposed
                case 6: sx = y; sy = h - 1 - x; break;          // turned a quarter clockwise to show
                case 7: sx = w - 1 - y; sy = h - 1 - x; break;  // transversed
                default: sx = w - 1 - y; sy = x; break;         // 8: a quarter anticlockwise
            }
            std::memcpy(out, raster.Row(sy) + static_cast<size_t>(sx) * pixel, pixel);
        }
    }
    raster = std::move(turned);
    return true;
}

}  // namespace trackalbum
