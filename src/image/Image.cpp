#include "image/Image.h"

#include <cstring>

namespace trackalbum {

bool Image::Create(int width, int height, int depth) {
    Destroy();
    if (depth != 24 && depth != 32) return false;
    if (width <= 0 || height <= 0) return false;
    if (static_cast<int64_t>(width) * height > MaxPixels) return false;
    if (!raster_.Allocate(width, height, depth / 8)) return false;
    if (depth == 24) {
        std::memset(raster_.pixels.Data(), 0, raster_.pixels.Size());
    } else {
        for (int y = 0; y < height; ++y) {
            uint8_t* p = raster_.Row(y);
            for (int x = 0; x < width; ++x, p += 4) {
                p[0] = p[1] = p[2] = 0;
                p[3] = 255;
            }
        }
    }
    return true;
}

void Image::Destroy() { raster_.Clear(); }

Rgb Image::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= raster_.width || y >= raster_.height) return {};
    const uint8_t* p = raster_.Row(y) + static_cast<size_t>(x) * raster_.channels;
    return {p[0], p[1], p[2]};
}

void Image::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= raster_.width || y >= raster_.height) return;
    uint8_t* p = raster_.Row(y) + static_cast<size_t>(x) * raster_.channels;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    if (raster_.channels == 4) p[3] = 255;
}

}  // namespace trackalbum
