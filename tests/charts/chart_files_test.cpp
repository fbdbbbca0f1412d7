#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "charts/ChartLabelFont.h"
#include "charts/ChartRenderer.h"
#include "charts/Charts.h"
#include "gps/GpsTrack.h"

// fontconfig keeps its configuration for the life of the process (freed only by FcFini,
// which would pull it from under every other user); not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::tuple<int, int, int>> ColoursOf(const Image& image) {
    std::set<std::tuple<int, int, int>> colours;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgb p = image.GetPixel(x, y);
            colours.emplace(p.r, p.g, p.b);
        }
    }
    return colours;
}

bool IsNeutral(Rgb p) { return p.r == p.g && p.g == p.b; }

class ChartFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("chart_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    // Points `legMetres` apart along a meridian, one a second when `timed`.
    static void AddLine(GpsTrack& track, int count, double legMetres, double lowest, double highest, bool timed) {
        const double degreesPerMetre = 57.2958 / 6378700.0;
        for (int i = 0; i < count; ++i) {
            GpsPoint point;
            point.SetLatitude(35.0 + i * legMetres * degreesPerMetre);
            point.SetLongitude(139.0);
            point.SetElevation(lowest + (highest - lowest) * i / std::max(count - 1, 1));
            if (timed) point.SetTime(TimeValue(1'146'600'000 + i * 10));
            track.AddTail(point);
        }
        track.Analyse(false, 0.0);
    }

    static Image Load(const std::string& path) {
        Image image;
        EXPECT_EQ(image.Load(path), ImageStatus::Ok) << path;
        return image;
    }

    fs::path folder_;
};

TEST_F(ChartFilesTest, BothChartsOfATimedTrackAre180By135Gifs) {
    GpsTrack track;
    AddLine(track, 200, 60.0, 120.0, 480.0, true);  // 12 km climbing from 120 to 480 m
    DrawElevationChart(track, PathOf("t_ele.gif"));
    DrawSpeedChart(track, PathOf("t_dis.gif"));
    for (const char* name : {"t_ele.gif", "t_dis.gif"}) {
        ASSERT_TRUE(fs::exists(PathOf(name))) << name;
        EXPECT_EQ(ReadBytes(PathOf(name)).substr(0, 3), "GIF") << name;
        const Image chart = Load(PathOf(name));
        EXPECT_EQ(chart.GetWidth(), 180);
        EXPECT_EQ(chart.GetHeight(), 135);
    }
}

TEST_F(ChartFilesTest, SavedGifHoldsExactlyTheRenderedColours) {
    GpsTrack track;
    AddLine(track, 500, 25.0, -12.0, 1730.0, true);
    ChartLabelFont font;
    ASSERT_TRUE(font.IsLoaded());
    ChartRenderer renderer(font);
    double distance = 0.0;
    for (const GpsPoint& point : track) {
        distance += point.GetDistance();
        renderer.AddPoint(static_cast<int32_t>(distance / 100), static_cast<int32_t>(point.GetElevation()));
    }
    Image chart;
    ASSERT_TRUE(renderer.Render(chart, 10, 1, ChartRenderer::HorizontalGrid));
    // Background, grid, the area over both, white label boxes and a few greys of ink.
    const auto colours = ColoursOf(chart);
    EXPECT_TRUE(colours.count({255, 255, 204}));
    EXPECT_TRUE(colours.count({204, 204, 153}));
    EXPECT_TRUE(colours.count({0, 255, 204}));
    EXPECT_TRUE(colours.count({51, 204, 153}));
    EXPECT_TRUE(colours.count({0, 0, 0}));
    EXPECT_LE(colours.size(), 16u);

    const std::string path = PathOf("palette.gif");
    ASSERT_EQ(chart.Save(path), ImageStatus::Ok);
    const Image saved = Load(path);
    ASSERT_EQ(saved.GetWidth(), 180);
    ASSERT_EQ(saved.GetHeight(), 135);
    for (int y = 0; y < 135; ++y) {
        for (int x = 0; x < 180; ++x) ASSERT_EQ(saved.GetPixel(x, y), chart.GetPixel(x, y)) << x << ',' << y;
    }
}

TEST_F(ChartFilesTest, LabelBoxesSitWhereTheirMeasuredSizesPutThem) {
    // 12.34 km from 120 to 480 m, with the real font.
    ChartLabelFont font;
    ASSERT_TRUE(font.IsLoaded());
    ChartRenderer renderer(font);
    renderer.AddPoint(0, 120);
    renderer.AddPoint(123, 480);
    Image chart;
    ASSERT_TRUE(renderer.Render(chart, 10, 1, ChartRenderer::HorizontalGrid));

    const TextExtent a = font.Measure("0"), b = font.Measure("12"), c = font.Measure("100"), d = font.Measure("500");
    const int left = std::max(c.width, d.width);
    const int bottom = 135 - std::max(a.height, b.height);
    struct Box {
        std::string text;
        int x, y;
        TextExtent extent;
    };
    std::vector<Box> boxes = {
        {"100", left - c.width, 136 - (135 - bottom) - c.height, c},
        {"500", 0, 0, d},
        {"0", left, bottom, a},
        {"12", 180 - b.width, bottom, b},
    };
    for (int i = 1; i <= 4; ++i) {
        const std::string text = std::to_string(100 + 130 * i);
        const TextExtent extent = font.Measure(text);
        const int offset = i * 130 * bottom / 400;
        const int top = bottom - offset - extent.height / 2;
        if (top > d.height) boxes.push_back({text, left - extent.width, top, extent});
    }
    ASSERT_EQ(boxes.size(), 6u);  // 230 and 360 m fit under the top label
    const auto inBox = [&](int x, int y) {
        for (const Box& box : boxes) {
            if (x >= box.x && x < box.x + box.extent.width && y >= box.y && y < box.y + box.extent.height) return true;
        }
        return false;
    };
    for (const Box& box : boxes) {
        bool inked = false;
        for (int y = box.y; y < box.y + box.extent.height; ++y) {
            for (int x = box.x; x < box.x + box.extent.width; ++x) {
                const Rgb p = chart.GetPixel(x, y);
                const bool onAxis = x == left || y == bottom;
                EXPECT_TRUE(IsNeutral(p) || onAxis) << box.text << " at " << x << ',' << y;
                inked = inked || p == Rgb{0, 0, 0};
            }
        }
        EXPECT_TRUE(inked) << box.text;
    }
    // Outside the boxes nothing is white or grey: the boxes are exactly the measured extents.
    for (int y = 0; y < 135; ++y) {
        for (int x = 0; x < 180; ++x) {
            if (!inBox(x, y)) {
                EXPECT_FALSE(IsNeutral(chart.GetPixel(x, y))) << x << ',' << y;
            }
        }
    }
}

TEST_F(ChartFilesTest, TracksWithoutPointsOrTimeLeaveEarlierFilesAlone) {
    const std::string elevation = PathOf("old_ele.gif");
    const std::string speed = PathOf("old_dis.gif");
    std::ofstream(elevation, std::ios::binary) << "earlier elevation chart";
    std::ofstream(speed, std::ios::binary) << "earlier speed chart";

    GpsTrack empty;
    DrawElevationChart(empty, elevation);
    DrawSpeedChart(empty, speed);
    EXPECT_EQ(ReadBytes(elevation), "earlier elevation chart");
    EXPECT_EQ(ReadBytes(speed), "earlier speed chart");

    GpsTrack untimed;
    AddLine(untimed, 50, 100.0, 10.0, 20.0, false);
    ASSERT_FALSE(untimed.HasTime());
    DrawSpeedChart(untimed, speed);
    EXPECT_EQ(ReadBytes(speed), "earlier speed chart");
    DrawElevationChart(untimed, elevation);  // the profile needs no time
    EXPECT_EQ(ReadBytes(elevation).substr(0, 3), "GIF");
}

TEST_F(ChartFilesTest, ASinglePointAndAFlatSeaLevelTrackStillGiveCharts) {
    GpsTrack single;
    AddLine(single, 1, 0.0, 0.0, 0.0, false);
    DrawElevationChart(single, PathOf("single_ele.gif"));
    EXPECT_EQ(Load(PathOf("single_ele.gif")).GetWidth(), 180);

    GpsTrack flat;
    AddLine(flat, 30, 50.0, 0.0, 0.0, true);
    DrawElevationChart(flat, PathOf("flat_ele.gif"));
    DrawSpeedChart(flat, PathOf("flat_dis.gif"));
    EXPECT_EQ(Load(PathOf("flat_ele.gif")).GetHeight(), 135);
    EXPECT_EQ(Load(PathOf("flat_dis.gif")).GetHeight(), 135);
}

TEST_F(ChartFilesTest, ALongTrackIsDrawnOnADividedCanvas) {
    GpsTrack track;
    AddLine(track, 3001, 100.0, 200.0, 2600.0, true);  // 300 km, 2,400 m of climb
    DrawElevationChart(track, PathOf("long_ele.gif"));
    const Image chart = Load(PathOf("long_ele.gif"));
    ASSERT_EQ(chart.GetWidth(), 180);
    // The area rises to the right: more area pixels in the last plot column than the first.
    const auto areaRows = [&](int x) {
        int rows = 0;
        for (int y = 0; y < 135; ++y) rows += chart.GetPixel(x, y) == Rgb{0, 255, 204} ? 1 : 0;
        return rows;
    };
    EXPECT_GT(areaRows(175), areaRows(60));
    EXPECT_GT(areaRows(175), 60);
}

TEST_F(ChartFilesTest, AMissingFolderGivesNoFileAndNoFailure) {
    GpsTrack track;
    AddLine(track, 20, 100.0, 0.0, 100.0, true);
    const std::string elevation = PathOf("missing/sub/x_ele.gif");
    const std::string speed = PathOf("missing/sub/x_dis.gif");
    DrawElevationChart(track, elevation);
    DrawSpeedChart(track, speed);
    EXPECT_FALSE(fs::exists(PathOf("missing")));
}

TEST_F(ChartFilesTest, NoFileWhenNoCanvasCanBeMade) {
    const std::string path = PathOf("refused_ele.gif");
    std::ofstream(path, std::ios::binary) << "earlier chart";
    ChartLabelFont font;
    ChartRenderer renderer(font, [](Image&, int, int) { return false; });
    renderer.AddPoint(0, 0);
    renderer.AddPoint(10, 10);
    renderer.Render(path, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(ReadBytes(path), "earlier chart");
    renderer.Render(PathOf("refused_dis.gif"), 10, 1000, ChartRenderer::VerticalGrid);
    EXPECT_FALSE(fs::exists(PathOf("refused_dis.gif")));
}

}  // namespace
}  // namespace trackalbum
