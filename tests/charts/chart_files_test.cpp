#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "charts/ChartLabelFont.h"
#include "charts/ChartRenderer.h"
#include "charts/Charts.h"
#include "image/image_test_support.h"

// fontconfig keeps its configuration for the life of the process (freed only by FcFini,
// which would pull it from under every other user); not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace trackalbum {
namespace {

using namespace image_test;

// Points `legMetres` apart along a meridian, ten seconds apart when `timed`.
GpsTrack Line(int count, double legMetres, double lowest, double highest, bool timed) {
    GpsTrack track;
    for (int i = 0; i < count; ++i) {
        GpsPoint& point = track.AddTail(GpsPoint());
        point.SetLatitude(35.0 + i * legMetres * 57.2958 / 6378700.0);
        point.SetElevation(lowest + (highest - lowest) * i / std::max(count - 1, 1));
        if (timed) point.SetTime(TimeValue(1'146'600'000 + i * 10));
    }
    track.Analyse(false, 0.0);
    return track;
}

Image Load(const std::string& path) {
    Image image;
    EXPECT_EQ(image.Load(path), ImageStatus::Ok) << path;
    EXPECT_EQ(std::make_pair(image.GetWidth(), image.GetHeight()), std::make_pair(180, 135)) << path;
    return image;
}

TEST(ChartFilesTest, BothChartsAreGifsThatKeepTheChartColoursExactly) {
    ScratchFolder folder;
    const GpsTrack track = Line(500, 25.0, -12.0, 1730.0, true);
    DrawElevationChart(track, folder / "t_ele.gif");
    DrawSpeedChart(track, folder / "t_dis.gif");
    // Besides the grey label ink: background, area, and (the elevation chart has a grid)
    // grid and area over the grid, each exactly.
    using Colours = std::set<std::tuple<int, int, int>>;
    for (const auto& [name, own] : {std::pair{"t_ele.gif", Colours{{255, 255, 204}, {204, 204, 153}, {0, 255, 204}, {51, 204, 153}}},
                                    {"t_dis.gif", Colours{{255, 255, 204}, {204, 204, 153}, {0, 255, 204}}}}) {
        EXPECT_EQ(ReadBytes(folder / name).at(0), 'G') << name;
        const Image chart = Load(folder / name);
        Colours found;
        for (int y = 0; y < 135; ++y)
            for (int x = 0; x < 180; ++x)
                if (const Rgb p = chart.GetPixel(x, y); p.r != p.g || p.g != p.b) found.emplace(p.r, p.g, p.b);
        EXPECT_EQ(found, own) << name;
    }
}

TEST(ChartFilesTest, NoChartLeavesEarlierFilesAloneAndAMissingFolderFailsSilently) {
    ScratchFolder folder;
    const std::string elevation = folder / "old_ele.gif", speed = folder / "old_dis.gif";
    WriteBytes(elevation, {'o', 'l', 'd'});
    WriteBytes(speed, {'o', 'l', 'd'});
    DrawElevationChart(GpsTrack(), elevation);  // no points
    const GpsTrack untimed = Line(50, 100.0, 10.0, 20.0, false);
    DrawSpeedChart(untimed, speed);
    ChartLabelFont font;
    ChartRenderer refused(font, [](Image&, int, int) { return false; });  // no canvas to be had
    refused.AddPoint(0, 0);
    refused.Render(elevation, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(ReadBytes(elevation), ReadBytes(speed));
    EXPECT_EQ(ReadBytes(speed), (std::vector<uint8_t>{'o', 'l', 'd'}));
    DrawElevationChart(untimed, elevation);  // the profile needs no time
    Load(elevation);
    DrawElevationChart(Line(1, 0.0, 0.0, 0.0, false), speed);  // zero ranges: a chart all the same
    Load(speed);
    DrawElevationChart(untimed, folder / "missing/sub/x_ele.gif");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace trackalbum
