#include "charts/ChartRenderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace trackalbum {
namespace {

constexpr Rgb Background = ChartRenderer::BackgroundColour;
constexpr Rgb Grid = ChartRenderer::GridColour;
constexpr Rgb White{255, 255, 255};
constexpr Rgb AreaOnBackground{0, 255, 204};
constexpr Rgb AreaOnGrid{51, 204, 153};

// Labels as plain white boxes of 6 pixels a character by 9, with every write recorded, so
// the layout can be checked against known extents.
class BoxFont : public ChartFont {
public:
    static constexpr int CharWidth = 6;
    static constexpr int CharHeight = 9;
    struct Label {
        std::string text;
        int x = 0;
        int y = 0;
        friend bool operator==(const Label&, const Label&) = default;
    };

    TextExtent Measure(const std::string& text) const override {
        return {CharWidth * static_cast<int>(text.size()), CharHeight};
    }
    void Draw(Image& image, int x, int y, const std::string& text) const override {
        labels.push_back({text, x, y});
        const TextExtent extent = Measure(text);
        image.FillRect(x, y, extent.width, extent.height, White);
    }
    mutable std::vector<Label> labels;
};

std::ostream& operator<<(std::ostream& out, const BoxFont::Label& label) {
    return out << '"' << label.text << "\" at " << label.x << ',' << label.y;
}

class ChartRendererTest : public ::testing::Test {
protected:
    Image Render(const std::vector<ChartPoint>& points, int dx, int dy, int flags) {
        ChartRenderer renderer(font_);
        for (const ChartPoint& p : points) renderer.AddPoint(p.x, p.y);
        Image chart;
        EXPECT_TRUE(renderer.Render(chart, dx, dy, flags));
        return chart;
    }
    // Rows of column `x` that hold the colour.
    static std::vector<int> RowsOf(const Image& chart, int x, Rgb colour) {
        std::vector<int> rows;
        for (int y = 0; y < chart.GetHeight(); ++y) {
            if (chart.GetPixel(x, y) == colour) rows.push_back(y);
        }
        return rows;
    }
    static std::vector<int> ColumnsOf(const Image& chart, int y, Rgb colour) {
        std::vector<int> columns;
        for (int x = 0; x < chart.GetWidth(); ++x) {
            if (chart.GetPixel(x, y) == colour) columns.push_back(x);
        }
        return columns;
    }
    BoxFont font_;
};

TEST_F(ChartRendererTest, FlatSeaLevelTrackGetsFourHorizontalGridLines) {
    // 12.3 km at 0 m: y bounds 0 and 50, step 10; the left margin is the "50" label's
    // width (12), the bottom margin one label height (9), so the x axis lies on row 126.
    const Image chart = Render({{0, 0}, {123, 0}}, 10, 1, ChartRenderer::HorizontalGrid);
    ASSERT_EQ(chart.GetWidth(), 180);
    ASSERT_EQ(chart.GetHeight(), 135);
    // Offsets i * 10 * 126 / 50 = 25, 50, 75, 100; labels centred on their line.
    const std::vector<BoxFont::Label> expected = {
        {"10", 0, 97}, {"20", 0, 72}, {"30", 0, 47}, {"40", 0, 22},  // grid labels
        {"0", 6, 118},                                                 // y low: bottom on the axis
        {"50", 0, 0},                                                  // y high
        {"0", 12, 126},                                                // x low
        {"12", 168, 126},                                              // x high, right-aligned
    };
    EXPECT_EQ(font_.labels, expected);
    // Grid lines run from the y axis to the right edge; the x axis is the fifth line.
    EXPECT_EQ(RowsOf(chart, 100, Grid), (std::vector<int>{26, 51, 76, 101, 126}));
    EXPECT_EQ(ColumnsOf(chart, 26, Grid).front(), 12);
    EXPECT_EQ(ColumnsOf(chart, 26, Grid).back(), 179);
    // The y axis leaves out its end point on row 0; the flat track draws no area.
    EXPECT_EQ(RowsOf(chart, 12, Grid).front(), 1);
    EXPECT_EQ(RowsOf(chart, 12, Grid).back(), 126);
    EXPECT_EQ(chart.GetPixel(12, 0), Background);
    EXPECT_TRUE(RowsOf(chart, 100, AreaOnBackground).empty());
}

TEST_F(ChartRendererTest, HorizontalGridLinesThatReachTheTopLabelAreLeftOut) {
    // 12.34 km from 120 m to 480 m: bounds 100 and 500, step 130, candidates at 230, 360,
    // 490 and 620 m with offsets 40, 81, 122, 163; only the first two clear the top label.
    const Image chart = Render({{0, 120}, {123, 480}}, 10, 1, ChartRenderer::HorizontalGrid);
    const std::vector<BoxFont::Label> expected = {
        {"230", 0, 82}, {"360", 0, 41}, {"100", 0, 118}, {"500", 0, 0}, {"0", 18, 126}, {"12", 168, 126},
    };
    EXPECT_EQ(font_.labels, expected);
    EXPECT_EQ(RowsOf(chart, 18, Grid).size(), 126u);  // the y axis only: rows 1 to 126
    EXPECT_EQ(chart.GetPixel(19, 86), Grid);
    EXPECT_EQ(chart.GetPixel(19, 45), Grid);
}

TEST_F(ChartRendererTest, VerticalGridStopsShortOfTheUpperBoundLabel) {
    // A speed distribution up to 58.5 km/h: x labels 0 and 58, step 10; with a left margin
    // of 6 the offsets are i * 10 * 174 / 58 = 30 i, and a label must end its centre
    // before 180 - 12, so five lines (10 to 50 km/h) are drawn.
    std::vector<ChartPoint> points;
    for (int i = 0; i < 40; ++i) points.push_back({15 * i, i == 3 ? 2500 : 0});
    const Image chart = Render(points, 10, 1000, ChartRenderer::VerticalGrid);
    std::vector<BoxFont::Label> expected;
    for (int i = 1; i <= 5; ++i) expected.push_back({std::to_string(10 * i), 6 + 30 * i - 6, 126});
    expected.insert(expected.end(), {{"0", 0, 118}, {"2", 0, 0}, {"0", 6, 126}, {"58", 168, 126}});
    EXPECT_EQ(font_.labels, expected);
    EXPECT_EQ(ColumnsOf(chart, 125, Grid), (std::vector<int>{6, 36, 66, 96, 126, 156}));
    // A grid line spans rows 0 to 125; its end point on the x axis is the axis itself.
    EXPECT_EQ(RowsOf(chart, 36, Grid).front(), 0);
}

TEST_F(ChartRendererTest, TheAreaIsXoredOverBackgroundAndGrid) {
    // 167 columns of value 49 under bounds 0..50: the canvas is as wide as the plot
    // rectangle (columns 13 to 179) and fills it but its top rows.
    const Image chart = Render({{0, 49}, {167, 49}}, 10, 1, ChartRenderer::HorizontalGrid);
    for (int x : {13, 100, 179}) {
        EXPECT_EQ(chart.GetPixel(x, 0), Background) << x;
        EXPECT_EQ(chart.GetPixel(x, 60), AreaOnBackground) << x;
        EXPECT_EQ(chart.GetPixel(x, 125), AreaOnBackground) << x;
        EXPECT_EQ(chart.GetPixel(x, 51), AreaOnGrid) << x;
        EXPECT_EQ(chart.GetPixel(x, 126), Grid) << x;  // the x axis lies outside the rectangle
    }
    EXPECT_EQ(RowsOf(chart, 12, Grid).size(), 126u);  // so does the y axis
    EXPECT_EQ(RowsOf(chart, 100, AreaOnGrid), (std::vector<int>{26, 51, 76, 101}));
}

TEST_F(ChartRendererTest, AReducedCanvasKeepsOnlyTargetsWhoseSourcesAreAllLit) {
    // Every other canvas column lit, the canvas twice as wide as the rectangle: each
    // target pixel meets a lit and a dark column, and the AND leaves it dark.
    std::vector<ChartPoint> alternating;
    for (int x = 0; x <= 334; ++x) alternating.push_back({x, x % 2 == 0 ? 49 : 0});
    const Image sparse = Render(alternating, 10, 1, 0);
    for (int x = 13; x < 180; ++x) EXPECT_TRUE(RowsOf(sparse, x, AreaOnBackground).empty()) << x;

    const Image solid = Render({{0, 49}, {334, 49}}, 10, 1, 0);
    for (int x = 13; x < 180; ++x) EXPECT_GT(RowsOf(solid, x, AreaOnBackground).size(), 100u) << x;
}

TEST_F(ChartRendererTest, ElevationBelowSeaLevelFallsUnderTheCanvas) {
    // From -30 m: the bottom snaps to 0 and the stretch below it draws no area.
    const Image chart = Render({{0, -30}, {167, -30}}, 10, 1, ChartRenderer::HorizontalGrid);
    ASSERT_GE(font_.labels.size(), 2u);
    EXPECT_EQ(font_.labels[font_.labels.size() - 4].text, "0");
    EXPECT_EQ(font_.labels[font_.labels.size() - 3].text, "50");
    for (int x = 13; x < 180; ++x) EXPECT_TRUE(RowsOf(chart, x, AreaOnBackground).empty()) << x;
}

TEST_F(ChartRendererTest, DegenerateSeriesStillGiveAFramedChart) {
    const Image single = Render({{5, 0}}, 10, 1, ChartRenderer::HorizontalGrid | ChartRenderer::VerticalGrid);
    EXPECT_EQ(single.GetWidth(), 180);
    EXPECT_EQ(single.GetHeight(), 135);
    // x range 0: no vertical grid; y range 50: the four horizontal lines.
    EXPECT_EQ(RowsOf(single, 100, Grid).size(), 5u);
    EXPECT_EQ(ColumnsOf(single, 101, Grid).size(), 180u - 12u);

    font_.labels.clear();
    const Image empty = Render({}, 10, 1, 0);
    EXPECT_EQ(empty.GetWidth(), 180);
    EXPECT_EQ(font_.labels.size(), 4u);
}

TEST_F(ChartRendererTest, RenderingTwiceGivesTheSameChart) {
    ChartRenderer renderer(font_);
    renderer.AddPoint(0, 120);
    renderer.AddPoint(123, 480);
    Image first;
    Image second;
    ASSERT_TRUE(renderer.Render(first, 10, 1, ChartRenderer::HorizontalGrid));
    ASSERT_TRUE(renderer.Render(second, 10, 1, ChartRenderer::HorizontalGrid));
    for (int y = 0; y < 135; ++y) {
        for (int x = 0; x < 180; ++x) ASSERT_EQ(first.GetPixel(x, y), second.GetPixel(x, y)) << x << ',' << y;
    }
}

TEST_F(ChartRendererTest, NoChartWithoutACanvasOrWithBadDivisors) {
    ChartRenderer refused(font_, [](Image&, int, int) { return false; });
    refused.AddPoint(0, 0);
    refused.AddPoint(100, 300);
    Image chart;
    chart.Create(4, 4, 32);
    EXPECT_FALSE(refused.Render(chart, 10, 1, ChartRenderer::HorizontalGrid));
    EXPECT_TRUE(chart.IsEmpty());

    ChartRenderer renderer(font_);
    renderer.AddPoint(1, 1);
    EXPECT_FALSE(renderer.Render(chart, 0, 1, 0));
    EXPECT_FALSE(renderer.Render(chart, 10, -1, 0));
}

TEST_F(ChartRendererTest, ArbitrarySeriesGiveAChartAndNothingElse) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> anywhere(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> near(-3000, 3000);
    for (int round = 0; round < 20; ++round) {
        ChartRenderer renderer(font_);
        for (int i = 0; i < 200; ++i) {
            renderer.AddPoint(round % 2 ? anywhere(random) : near(random), round % 4 < 2 ? anywhere(random) : near(random));
        }
        Image chart;
        ASSERT_TRUE(renderer.Render(chart, 10, round % 3 ? 1 : 1000, round % 4));
        EXPECT_EQ(chart.GetWidth(), 180);
        EXPECT_EQ(chart.GetHeight(), 135);
    }
}

}  // namespace
}  // namespace trackalbum
