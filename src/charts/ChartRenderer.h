#pragma once
// Plots a series of integer points as a filled area in a 180 x 135 chart with axes, bound
// labels and a light grid. One short-lived renderer per chart.
#include <cstdint>
#include <string>
#include <vector>

#include "charts/ChartCanvas.h"
#include "charts/ChartFont.h"
#include "image/Image.h"

namespace trackalbum {

class ChartRenderer {
public:
    static constexpr int Width = 180;
    static constexpr int Height = 135;
    // Grid flags of Render.
    static constexpr int VerticalGrid = 1;    // vertical lines with x labels
    static constexpr int HorizontalGrid = 2;  // horizontal lines with y labels
    static constexpr Rgb BackgroundColour{255, 255, 204};
    static constexpr Rgb GridColour{204, 204, 153};

    explicit ChartRenderer(const ChartFont& font, CanvasAllocator allocate = AllocateCanvasImage);

    void AddPoint(int32_t x, int32_t y);

    // Draws the chart into `chart` (made anew); labels show the x bounds divided by `dx` and
    // the y bounds by `dy`. False, with `chart` left empty, when no canvas could be made.
    bool Render(Image& chart, int dx, int dy, int flags) const;
    // Draws the chart and saves it; the path's extension chooses the format. A failing save
    // leaves no file or the previous one, and is not reported.
    void Render(const std::string& path, int dx, int dy, int flags) const;

private:
    void DrawVerticalGrid(Image& chart, int left, int bottom, int64_t low, int64_t high,
                          int highLabelWidth) const;
    void DrawHorizontalGrid(Image& chart, int left, int bottom, int64_t low, int64_t high,
                            int highLabelHeight) const;

    const ChartFont& font_;
    CanvasAllocator allocate_;
    int32_t MinX = 0;
    int32_t MinY = 0;
    int32_t MaxX = 0;
    int32_t MaxY = 0;
    std::vector<ChartPoint> Points;
};

}  // namespace trackalbum
