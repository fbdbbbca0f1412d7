#include "charts/Charts.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "charts/ChartLabelFont.h"
#include "charts/ChartRenderer.h"

namespace trackalbum {
namespace {

// Truncation toward zero that saturates instead of overflowing, so a track with absurd
// values cannot make the conversion undefined; NaN counts as 0.
int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    if (value <= low) return std::numeric_limits<int32_t>::min();
    if (value >= high) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

}  // namespace

void DrawElevationChart(const GpsTrack& track, const std::string& path) {
    if (track.IsEmpty()) return;
    ChartLabelFont font;
    ChartRenderer renderer(font);
    double distance = 0.0;  // metres from the start; the first point's leg does not count
    bool first = true;
    for (const GpsPoint& point : track) {
        if (!first) distance += point.GetDistance();
        first = false;
        // x in tenths of kilometres, y in whole metres.
        renderer.AddPoint(TruncateToInt32(distance / 100), TruncateToInt32(point.GetElevation()));
    }
    renderer.Render(path, 10, 1, ChartRenderer::HorizontalGrid);
}

void DrawSpeedChart(const GpsTrack& track, const std::string& path) {
    if (!track.HasTime()) return;
    ChartLabelFont font;
    ChartRenderer renderer(font);
    const double width = track.GetSpeedBinWidth();
    for (int i = 0; i < GpsTrack::SpeedClassCount; ++i) {
        // x in tenths of km/h at the class's lower edge, y in metres ridden in the class.
        renderer.AddPoint(TruncateToInt32(width * 10 * i), TruncateToInt32(track.GetSpeedHistogram(i)));
    }
    renderer.Render(path, 10, 1000, ChartRenderer::VerticalGrid);
}

}  // namespace trackalbum
