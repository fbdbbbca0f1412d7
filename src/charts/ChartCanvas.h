#pragma once
// The plot canvas of a chart: the series as red columns on black, one pixel per unit of
// each axis, with an axis reduced by powers of ten when it would be too long.
#include <cstdint>
#include <functional>
#include <vector>

#include "image/Image.h"

namespace trackalbum {

struct ChartPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Bounds of a series; 64-bit so that spans of any 32-bit series cannot overflow.
struct ChartBounds {
    int64_t MinX = 0;
    int64_t MinY = 0;
    int64_t MaxX = 0;
    int64_t MaxY = 0;
};

// The y bounds moved outward onto the 50-unit grid; MaxY always gains 1 to 50 of headroom.
ChartBounds SnapChartBounds(const ChartBounds& bounds);

struct ChartCanvas {
    static constexpr int64_t MaxSide = 2000;
    static constexpr Rgb ColumnColour{255, 0, 0};

    Image image;
    int64_t scaleX = 1;  // units of the series per canvas pixel
    int64_t scaleY = 1;
};

// Makes the canvas image of the given size; false when the platform cannot provide it.
using CanvasAllocator = std::function<bool(Image& image, int width, int height)>;
bool AllocateCanvasImage(Image& image, int width, int height);

// Sizes the canvas for the (snapped) bounds and draws the columns of the series. When the
// allocator fails, the longer side is divided by ten and creation retried, until both sides
// are down to one pixel; false when even that fails.
bool DrawChartCanvas(const std::vector<ChartPoint>& points, const ChartBounds& bounds,
                     const CanvasAllocator& allocate, ChartCanvas& canvas);

}  // namespace trackalbum
