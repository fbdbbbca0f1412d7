#include "charts/ChartRenderer.h"

#include <algorithm>
#include <utility>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

std::string Label(int64_t value) { return FormatC("%lld", static_cast<long long>(value)); }

}  // namespace

ChartRenderer::ChartRenderer(const ChartFont& font, CanvasAllocator allocate)
    : font_(font), allocate_(std::move(allocate)) {}

void ChartRenderer::AddPoint(int32_t x, int32_t y) {
    if (Points.empty()) {
        MinX = MaxX = x;
        MinY = MaxY = y;
    } else {
        MinX = std::min(MinX, x);
        MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y);
        MaxY = std::max(MaxY, y);
    }
    Points.push_back(ChartPoint{x, y});
}

bool ChartRenderer::Render(Image& chart, int dx, int dy, int flags) const {
    chart.Destroy();
    if (dx <= 0 || dy <= 0) return false;
    const ChartBounds bounds = SnapChartBounds(ChartBounds{MinX, MinY, MaxX, MaxY});
    ChartCanvas canvas;
    if (!DrawChartCanvas(Points, bounds, allocate_, canvas)) return false;
    if (!chart.Create(Width, Height, 32)) return false;
    chart.FillRect(0, 0, Width, Height, BackgroundColour);

    const int64_t a = bounds.MinX / dx;
    const int64_t b = bounds.MaxX / dx;
    const int64_t c = bounds.MinY / dy;
    const int64_t d = bounds.MaxY / dy;
    const std::string labelA = Label(a), labelB = Label(b), labelC = Label(c), labelD = Label(d);
    const TextExtent extentA = font_.Measure(labelA);
    const TextExtent extentB = font_.Measure(labelB);
    const TextExtent extentC = font_.Measure(labelC);
    const TextExtent extentD = font_.Measure(labelD);
    const int left = std::max(extentC.width, extentD.width);
    const int bottom = Height - std::max(extentA.height, extentB.height);  // row of the x axis

    if (flags & VerticalGrid) DrawVerticalGrid(chart, left, bottom, a, b, extentB.width);
    if (flags & HorizontalGrid) DrawHorizontalGrid(chart, left, bottom, c, d, extentD.height);

    font_.Draw(chart, left - extentC.width, bottom + 1 - extentC.height, labelC);
    font_.Draw(chart, 0, 0, labelD);
    font_.Draw(chart, left, bottom, labelA);
    font_.Draw(chart, Width - extentB.width, bottom, labelB);

    chart.DrawLine(left, bottom, left, 0, GridColour);
    chart.DrawLine(left, bottom, Width, bottom, GridColour);

    // Exclusive OR: black canvas pixels leave the chart as it is, red ones show the area
    // over the background and the grid alike.
    const int plotWidth = Width - 1 - left;
    if (plotWidth > 0 && bottom > 0) {
        chart.CopyFrom(canvas.image, left + 1, 0, plotWidth, bottom, RasterOp::Xor);
    }
    return true;
}

void ChartRenderer::Render(const std::string& path, int dx, int dy, int flags) const {
    Image chart;
    if (!Render(chart, dx, dy, flags)) return;
    chart.Save(path);
}

void ChartRenderer::DrawVerticalGrid(Image& chart, int left, int bottom, int64_t low, int64_t high,
                                     int highLabelWidth) const {
    const int64_t range = high - low;
    const int64_t step = ((range / 4) / 5) * 5;
    if (step <= 0) return;
    for (int i = 1; i <= 7; ++i) {
        const int64_t offset = i * step * (Width - left) / range;
        const std::string text = Label(i * step + low);
        const int textWidth = font_.Measure(text).width;
        // Lines that would crowd the upper bound's label are left out with their label.
        if (left + offset + textWidth / 2 >= Width - highLabelWidth) continue;
        const int x = left + static_cast<int>(offset);
        font_.Draw(chart, x - textWidth / 2, bottom, text);
        chart.DrawLine(x, 0, x, bottom, GridColour);
    }
}

void ChartRenderer::DrawHorizontalGrid(Image& chart, int left, int bottom, int64_t low,
                                       int64_t high, int highLabelHeight) const {
    const int64_t range = high - low;
    const int64_t step = ((range / 3) / 10) * 10;
    if (step <= 0) return;
    for (int i = 1; i <= 4; ++i) {
        const int64_t offset = i * step * bottom / range;
        const std::string text = Label(i * step + low);
        const TextExtent extent = font_.Measure(text);
        const int64_t top = bottom - offset - extent.height / 2;
        if (top <= highLabelHeight) continue;
        const int y = bottom - static_cast<int>(offset);
        font_.Draw(chart, left - extent.width, static_cast<int>(top), text);
        chart.DrawLine(left, y, Width, y, GridColour);
    }
}

}  // namespace trackalbum
