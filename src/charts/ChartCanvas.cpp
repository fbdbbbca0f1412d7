#include "charts/ChartCanvas.h"

#include <algorithm>

namespace trackalbum {
namespace {

constexpr int64_t SnapStep = 50;

}  // namespace

ChartBounds SnapChartBounds(const ChartBounds& bounds) {
    // Truncated toward zero, as the charts have always been drawn: a stretch below sea
    // level falls under the canvas and is left out of the area.
    ChartBounds snapped = bounds;
    snapped.MinY = (bounds.MinY / SnapStep) * SnapStep;
    snapped.MaxY = (bounds.MaxY / SnapStep + 1) * SnapStep;
    return snapped;
}

bool AllocateCanvasImage(Image& image, int width, int height) {
    return image.Create(width, height, 32);
}

bool DrawChartCanvas(const std::vector<ChartPoint>& points, const ChartBounds& bounds,
                     const CanvasAllocator& allocate, ChartCanvas& canvas) {
    int64_t width = std::max<int64_t>(bounds.MaxX - bounds.MinX, 1);
    int64_t height = std::max<int64_t>(bounds.MaxY - bounds.MinY, 1);
    canvas.scaleX = 1;
    canvas.scaleY = 1;
    while (width > ChartCanvas::MaxSide) {
        width /= 10;
        canvas.scaleX *= 10;
    }
    while (height > ChartCanvas::MaxSide) {
        height /= 10;
        canvas.scaleY *= 10;
    }
    while (!allocate(canvas.image, static_cast<int>(width), static_cast<int>(height))) {
        const bool wider = width >= height;
        int64_t& side = wider ? width : height;
        if (side == 1) return false;  // both sides are down to one pixel
        side = std::max<int64_t>(side / 10, 1);
        (wider ? canvas.scaleX : canvas.scaleY) *= 10;
    }
    canvas.image.FillRect(0, 0, static_cast<int>(width), static_cast<int>(height), Rgb{0, 0, 0});

    // Every column line starts just below the canvas, so the lines drawn into one column
    // light no more than the tallest of them: gather the tallest per column, draw each once.
    std::vector<int64_t> tallest(static_cast<size_t>(width), 0);
    const auto raise = [&](int64_t column, int64_t value) {
        if (column >= 0 && column < width) {
            int64_t& slot = tallest[static_cast<size_t>(column)];
            slot = std::max(slot, value);
        }
    };
    bool first = true;
    int64_t px = 0;
    int64_t py = 0;
    for (const ChartPoint& point : points) {
        const int64_t cx = (point.x - bounds.MinX) / canvas.scaleX;
        const int64_t cy = (point.y - bounds.MinY) / canvas.scaleY;
        if (first) {
            first = false;
        } else if (cx == px) {
            raise(cx, std::max(cy, py));
        } else if (cx > px) {
            // The slope is truncated before it is multiplied: the columns of a segment rise
            // in whole steps.
            const int64_t slope = (cy - py) / (cx - px);
            for (int64_t k = px; k < std::min(cx, width); ++k) raise(k, slope * (k - px) + py);
        }
        px = cx;
        py = cy;
    }
    const int rows = static_cast<int>(height);
    for (int64_t column = 0; column < width; ++column) {
        // A line from row `rows` toward rows - v leaves out its end point: v - 1 pixels.
        const int64_t value = std::min<int64_t>(tallest[static_cast<size_t>(column)], height + 1);
        if (value <= 1) continue;
        const int x = static_cast<int>(column);
        canvas.image.DrawLine(x, rows, x, rows - static_cast<int>(value), ChartCanvas::ColumnColour);
    }
    return true;
}

}  // namespace trackalbum
