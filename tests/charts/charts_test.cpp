// The chart canvas and renderer pixel for pixel, and the two chart files a track gives.
#include "charts/ChartRenderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "charts/ChartLabelFont.h"
#include "charts/Charts.h"
#include "support/ScratchFolder.h"

// fontconfig keeps its configuration for the life of the process (freed only by FcFini,
// which would pull it from under every other user); not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace trackalbum {
namespace {

using test::ReadFile;
using test::ScratchFolder;

constexpr Rgb Grid = ChartRenderer::GridColour, AreaOnBackground{0, 255, 204}, AreaOnGrid{51, 204, 153};
using Ints = std::vector<int>;
using Pair = std::pair<int64_t, int64_t>;
using Strings = std::vector<std::string>;

TEST(ChartCanvasTest, YBoundsTruncateOntoTheFiftyGridWithHeadroom) {
    for (const auto& [in, out] : {std::pair{Pair{0, 0}, Pair{0, 50}}, {{120, 480}, {100, 500}}, {{50, 100}, {50, 150}}, {{149, 149}, {100, 150}},
                                  {{-30, 40}, {0, 50}}, {{-101, -100}, {-100, -50}}, {{INT32_MIN, INT32_MAX}, {-2147483600LL, 2147483650LL}}}) {
        const ChartBounds s = SnapChartBounds(ChartBounds{3, in.first, 7, in.second});
        EXPECT_EQ(std::make_pair(Pair(s.MinY, s.MaxY), Pair(s.MinX, s.MaxX)), std::make_pair(out, Pair(3, 7))) << in.first;
    }
}

TEST(ChartCanvasTest, ColumnsFollowTheShiftedSeriesPixelForPixel) {
    // Shifted by (100, 50): (0,0)->(4,11): slope 11/4 truncated to 2 BEFORE it is multiplied: 0, 2, 4, 6.
    // (4,11)->(6,5): slope -3: 11, 8. (6,5)->(6,12): the taller in column 6. (6,12)->(5,3): backwards,
    // nothing. (5,3)->(8,9): slope 2: 3, 5, 7 (column 5 keeps 8).
    std::vector<ChartPoint> points;
    for (auto [x, y] : {std::pair{0, 0}, {4, 11}, {6, 5}, {6, 12}, {5, 3}, {8, 9}}) points.push_back({x + 100, y + 50});
    ChartCanvas canvas;
    ASSERT_TRUE(DrawChartCanvas(points, ChartBounds{100, 50, 108, 62}, AllocateCanvasImage, canvas));
    Strings picture(12);  // a value v lights v - 1 pixels from the bottom row up
    for (int y = 0; y < canvas.image.GetHeight(); ++y)
        for (int x = 0; x < canvas.image.GetWidth(); ++x)
            picture[y] += canvas.image.GetPixel(x, y) == ChartCanvas::ColumnColour ? '#' : '.';
    EXPECT_EQ(picture, (Strings{"........", "......#.", "....#.#.", "....#.#.", "....#.#.", "....###.", "....####",
                                "...#####", "...#####", "..######", "..######", ".#######"}));
}

TEST(ChartCanvasTest, LongAxesAreDividedByTensAndARefusedCanvasShrinksUntilItGivesUp) {
    const struct {
        ChartBounds bounds;
        int64_t limit;  // largest canvas the allocator grants
        Pair size, scale;
        std::vector<std::pair<int, int>> requests;
    } cases[] = {
        {{0, 0, 3000, 550}, 1 << 30, {300, 550}, {10, 1}, {{300, 550}}},  // 300 km in tenths of kilometres
        {{0, 0, 2000, 0}, 1 << 30, {2000, 1}, {1, 1}, {{2000, 1}}},  // 2000 stays, 0 becomes 1
        {SnapChartBounds({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}), 1 << 30, {429, 429}, {10'000'000, 10'000'000}, {{429, 429}}},
        {{0, 0, 1000, 500}, 5000, {100, 50}, {10, 10}, {{1000, 500}, {100, 500}, {100, 50}}},
        {{0, 0, 500, 500}, 100, {5, 5}, {100, 100}, {{500, 500}, {50, 500}, {50, 50}, {5, 50}, {5, 5}}},  // equal sides too
        {{0, 0, 20, 20}, 0, {0, 0}, {0, 0}, {{20, 20}, {2, 20}, {2, 2}, {1, 2}, {1, 1}}},  // bounded: no canvas
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, int>> requests;
        ChartCanvas canvas;
        const bool made = DrawChartCanvas({{0, 500}, {3000, 500}}, c.bounds, [&](Image& image, int width, int height) {
            requests.emplace_back(width, height);
            return int64_t{width} * height <= c.limit && image.Create(width, height, 32);
        }, canvas);
        EXPECT_EQ(requests, c.requests) << c.bounds.MaxX;
        EXPECT_EQ(made, c.scale.first != 0);
        EXPECT_EQ(Pair(canvas.image.GetWidth(), canvas.image.GetHeight()), c.size);
        EXPECT_EQ(made ? Pair(canvas.scaleX, canvas.scaleY) : Pair(0, 0), c.scale);
        if (&c == cases) {  // the 300 km series at a tenth: 500 m lights 499 rows of the last column
            EXPECT_EQ(canvas.image.GetPixel(299, 51), ChartCanvas::ColumnColour);
            EXPECT_EQ(canvas.image.GetPixel(299, 50), Rgb{});
        }
    }
}

// Labels as white boxes of 6 pixels a character by 9, each write recorded as "text@x,y".
class BoxFont : public ChartFont {
public:
    TextExtent Measure(const std::string& text) const override { return {6 * static_cast<int>(text.size()), 9}; }
    void Draw(Image& image, int x, int y, const std::string& text) const override {
        labels.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y));
        image.FillRect(x, y, Measure(text).width, 9, Rgb{255, 255, 255});
    }
    mutable Strings labels;
};

class ChartRendererTest : public ::testing::Test {
protected:
    Image Render(const std::vector<ChartPoint>& points, int dx, int dy, int flags) {
        ChartRenderer renderer(font_);
        for (const ChartPoint& p : points) renderer.AddPoint(p.x, p.y);
        Image chart;
        EXPECT_TRUE(renderer.Render(chart, dx, dy, flags));
        return chart;
    }
    // Where the colour lies along column `x`, or along row `y` when `x` is -1.
    static Ints Along(const Image& chart, Rgb colour, int x, int y = -1) {
        Ints at;
        for (int i = 0; i < (x < 0 ? 180 : 135); ++i)
            if (chart.GetPixel(x < 0 ? i : x, x < 0 ? y : i) == colour) at.push_back(i);
        return at;
    }
    BoxFont font_;
};

TEST_F(ChartRendererTest, HorizontalGridLabelsAndLinesSitWhereTheMarginsPutThem) {
    // Up to 60 m: y bounds 0 and 100, step 30, left margin 18 ("100"), x axis on row 135 - 9; offsets
    // i * 30 * 126 / 100 = 37, 75, 113: the third label's top, 126 - 113 - 4, is not below the top label's 9.
    Image chart = Render({{0, 0}, {123, 60}}, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(font_.labels, (Strings{"30@6,85", "60@6,47", "0@12,118", "100@0,0", "0@18,126", "12@168,126"}));
    EXPECT_EQ(Along(chart, Grid, 100), (Ints{51, 89, 126}));  // the x axis is the last line
    EXPECT_EQ(Along(chart, Grid, -1, 89).size(), 180u - 18u);  // from the y axis on
    // 12.34 km from 120 to 480 m: bounds 100 and 500, step 130, candidates 230, 360, 490 and
    // 620 m at offsets 40, 81, 122, 163: only the first two clear the top label.
    font_.labels.clear();
    chart = Render({{0, 120}, {123, 480}}, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(font_.labels, (Strings{"230@0,82", "360@0,41", "100@0,118", "500@0,0", "0@18,126", "12@168,126"}));
    EXPECT_EQ(Along(chart, Grid, 19), (Ints{45, 86, 126}));
}

TEST_F(ChartRendererTest, VerticalGridStopsShortOfTheUpperBoundLabel) {
    // x labels 0 and 39, step 5; left margin 6, offsets i * 5 * 174 / 39 = 22, 44, 66, 89, 111, 133,
    // 156; the label "35" would end its centre at 6 + 156 + 6, not left of 180 - 12, so it is left out.
    const Image chart = Render({{0, 0}, {390, 0}}, 10, 1000, ChartRenderer::VerticalGrid);
    EXPECT_EQ(font_.labels, (Strings{"5@25,126", "10@44,126", "15@66,126", "20@89,126", "25@111,126", "30@133,126",
                                     "0@0,118", "0@0,0", "0@6,126", "39@168,126"}));
    EXPECT_EQ(Along(chart, Grid, -1, 125), (Ints{6, 28, 50, 72, 95, 117, 139}));
    EXPECT_EQ(Along(chart, Grid, -1, 0), (Ints{28, 50, 72, 95, 117, 139}));  // the y axis leaves out row 0
}

TEST_F(ChartRendererTest, TheAreaIsXoredIntoThePlotRectangleAndedWhenReducedAndCutBelowTheBottom) {
    // 167 columns of value 49 under bounds 0..50: the canvas is as wide as the plot rectangle
    // (columns 13 to 179, rows 0 to 125) and fills it but its top rows.
    Image chart = Render({{0, 49}, {167, 49}}, 10, 1, ChartRenderer::HorizontalGrid);
    for (int x : {13, 100, 179}) {
        EXPECT_EQ(Along(chart, AreaOnGrid, x), (Ints{26, 51, 76, 101})) << x;
        for (int y : {60, 125}) EXPECT_EQ(chart.GetPixel(x, y), AreaOnBackground) << x << ',' << y;
        EXPECT_EQ(chart.GetPixel(x, 0), ChartRenderer::BackgroundColour) << x;
        EXPECT_EQ(chart.GetPixel(x, 126), Grid) << x;  // the x axis lies outside the rectangle
    }
    EXPECT_EQ(Along(chart, Grid, 12).size(), 126u);  // so does the y axis, without its end point on row 0
    // Every other column lit on a canvas twice as wide: the AND leaves every target dark.
    std::vector<ChartPoint> alternating;
    for (int x = 0; x <= 334; ++x) alternating.push_back({x, x % 2 == 0 ? 49 : 0});
    chart = Render(alternating, 10, 1, 0);
    for (int x = 13; x < 180; ++x) EXPECT_TRUE(Along(chart, AreaOnBackground, x).empty()) << x;
    // From -30 m: the bottom snaps to 0 (labels 0 and 50) and the stretch below it is not drawn.
    font_.labels.clear();
    chart = Render({{0, -30}, {167, -30}}, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(font_.labels[4] + font_.labels[5], "0@6,11850@0,0");
    for (int x = 13; x < 180; ++x) EXPECT_TRUE(Along(chart, AreaOnBackground, x).empty()) << x;
    ChartRenderer renderer(font_);  // divisors that label nothing give no chart
    renderer.AddPoint(1, 1);
    EXPECT_FALSE(renderer.Render(chart, 0, 1, 0));
    EXPECT_FALSE(renderer.Render(chart, 10, -1, 0));
    EXPECT_TRUE(chart.IsEmpty());
}

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
        EXPECT_EQ(ReadFile(folder / name).at(0), 'G') << name;
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
    test::WriteFile(elevation, "old");
    test::WriteFile(speed, "old");
    DrawElevationChart(GpsTrack(), elevation);  // no points
    const GpsTrack untimed = Line(50, 100.0, 10.0, 20.0, false);
    DrawSpeedChart(untimed, speed);
    ChartLabelFont font;
    ChartRenderer refused(font, [](Image&, int, int) { return false; });  // no canvas to be had
    refused.AddPoint(0, 0);
    refused.Render(elevation, 10, 1, ChartRenderer::HorizontalGrid);
    EXPECT_EQ(ReadFile(elevation), ReadFile(speed));
    EXPECT_EQ(ReadFile(speed), "old");
    DrawElevationChart(untimed, elevation);  // the profile needs no time
    Load(elevation);
    DrawElevationChart(Line(1, 0.0, 0.0, 0.0, false), speed);  // zero ranges: a chart all the same
    Load(speed);
    DrawElevationChart(untimed, folder / "missing/sub/x_ele.gif");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace trackalbum
