#pragma once
// The colour table of a GIF file written from a true-colour image.
#include <cstdint>
#include <vector>

#include "platform/ImageCodecRaster.h"

namespace trackalbum {

struct PaletteColour {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(PaletteColour, PaletteColour) = default;
};

struct GifPalette {
    std::vector<PaletteColour> colours;  // at most 256
    int transparentIndex = -1;           // pixels with alpha below one half, or -1
};

// Builds the palette and writes one index a pixel into `indices` (width x height bytes).
// An image of at most 256 colours (the transparent entry counted) keeps every colour
// exactly. A richer one gets the 216 colours of the 6 x 6 x 6 cube, which holds the chart
// colours, and its most frequent other colours; each pixel takes the nearest entry.
GifPalette BuildGifPalette(const Raster& image, uint8_t* indices);

}  // namespace trackalbum
