#include "charts/ChartCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace trackalbum {
namespace {

// The canvas as rows of '#' (column colour) and '.' (black).
std::vector<std::string> Picture(const Image& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.GetHeight(); ++y) {
        std::string row;
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Rgb pixel = image.GetPixel(x, y);
            row += pixel == ChartCanvas::ColumnColour ? '#' : pixel == Rgb{} ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

using Range = std::pair<int64_t, int64_t>;

TEST(ChartBoundsSnap, YBoundsMoveOutwardOntoTheFiftyGrid) {
    const auto snap = [](int64_t minY, int64_t maxY) {
        const ChartBounds s = SnapChartBounds(ChartBounds{3, minY, 7, maxY});
        EXPECT_EQ(s.MinX, 3);
        EXPECT_EQ(s.MaxX, 7);
        return std::pair(s.MinY, s.MaxY);
    };
    EXPECT_EQ(snap(0, 0), Range(0, 50));        // flat at sea level
    EXPECT_EQ(snap(120, 480), Range(100, 500));
    EXPECT_EQ(snap(50, 100), Range(50, 150));    // a full 50 of headroom
    EXPECT_EQ(snap(149, 149), Range(100, 150));  // 1 of headroom
    // Both bounds truncate toward zero, also below sea level.
    EXPECT_EQ(snap(-30, 40), Range(0, 50));
    EXPECT_EQ(snap(-100, -80), Range(-100, 0));
    EXPECT_EQ(snap(-101, -100), Range(-100, -50));
    EXPECT_EQ(snap(INT32_MIN, INT32_MAX), Range(-2147483600LL, 2147483650LL));
}

class ChartCanvasTest : public ::testing::Test {
protected:
    bool Draw(const std::vector<ChartPoint>& points, ChartBounds bounds) {
        return DrawChartCanvas(points, bounds, AllocateCanvasImage, canvas_);
    }
    ChartCanvas canvas_;
};

TEST_F(ChartCanvasTest, ColumnsFollowTheSeriesPixelForPixel) {
    // (0,0)->(4,11): slope 11/4 truncated to 2 before it is multiplied: 0, 2, 4, 6 (not 8).
    // (4,11)->(6,5): slope -3: 11, 8.  (6,5)->(6,12): the taller of the two in column 6.
    // (6,12)->(5,3): backwards, nothing.  (5,3)->(8,9): slope 2: 3, 5, 7 (column 5 keeps 8).
    const std::vector<ChartPoint> points = {{0, 0}, {4, 11}, {6, 5}, {6, 12}, {5, 3}, {8, 9}};
    ASSERT_TRUE(Draw(points, ChartBounds{0, 0, 8, 12}));
    // A value v lights v - 1 pixels from the bottom row up.
    const std::vector<std::string> expected = {
        "........",  //
        "......#.",  //
        "....#.#.",  //
        "....#.#.",  //
        "....#.#.",  //
        "....###.",  //
        "....####",  //
        "...#####",  //
        "...#####",  //
        "..######",  //
        "..######",  //
        ".#######",
    };
    EXPECT_EQ(Picture(canvas_.image), expected);
    EXPECT_EQ(canvas_.scaleX, 1);
    EXPECT_EQ(canvas_.scaleY, 1);
}

TEST_F(ChartCanvasTest, PointsAreShiftedByTheLowerBounds) {
    // x from 100, y from the snapped 50: the area of (100,54)-(103,54) is three columns of value 4.
    ASSERT_TRUE(Draw({{100, 54}, {103, 54}}, SnapChartBounds(ChartBounds{100, 54, 103, 54})));
    ASSERT_EQ(canvas_.image.GetWidth(), 3);
    ASSERT_EQ(canvas_.image.GetHeight(), 50);
    const std::vector<std::string> picture = Picture(canvas_.image);
    EXPECT_EQ(picture[46], "...");
    EXPECT_EQ(picture[47], "###");
    EXPECT_EQ(picture[49], "###");
}

TEST_F(ChartCanvasTest, ValuesAtOrBelowTheBottomDrawNothing) {
    ASSERT_TRUE(Draw({{0, 1}, {2, 1}, {3, -20}, {4, -20}}, ChartBounds{0, 0, 4, 5}));
    for (const std::string& row : Picture(canvas_.image)) EXPECT_EQ(row, "....");
}

TEST_F(ChartCanvasTest, ZeroRangesGiveOnePixelAndASinglePointDrawsNothing) {
    ASSERT_TRUE(Draw({{7, 0}}, ChartBounds{7, 0, 7, 0}));
    EXPECT_EQ(canvas_.image.GetWidth(), 1);
    EXPECT_EQ(canvas_.image.GetHeight(), 1);
    EXPECT_EQ(canvas_.image.GetPixel(0, 0), Rgb{});
}

TEST_F(ChartCanvasTest, LongAxesAreDividedByTensAndThePointsWithThem) {
    // 300 km in tenths of kilometres: 3000 wide, divided once.
    ASSERT_TRUE(Draw({{0, 500}, {3000, 500}}, ChartBounds{0, 0, 3000, 550}));
    EXPECT_EQ(canvas_.image.GetWidth(), 300);
    EXPECT_EQ(canvas_.scaleX, 10);
    EXPECT_EQ(canvas_.image.GetHeight(), 550);
    EXPECT_EQ(canvas_.scaleY, 1);
    EXPECT_EQ(canvas_.image.GetPixel(299, 550 - 499), ChartCanvas::ColumnColour);
    EXPECT_EQ(canvas_.image.GetPixel(299, 550 - 500), Rgb{});

    ASSERT_TRUE(Draw({{0, 0}, {25000, 2400}}, ChartBounds{0, 0, 25000, 2450}));
    EXPECT_EQ(canvas_.image.GetWidth(), 250);
    EXPECT_EQ(canvas_.scaleX, 100);
    EXPECT_EQ(canvas_.image.GetHeight(), 245);
    EXPECT_EQ(canvas_.scaleY, 10);

    ASSERT_TRUE(Draw({{0, 0}, {2000, 0}}, ChartBounds{0, 0, 2000, 50}));
    EXPECT_EQ(canvas_.image.GetWidth(), 2000);  // exactly 2000 is not divided
    EXPECT_EQ(canvas_.scaleX, 1);
}

TEST_F(ChartCanvasTest, ExtremeBoundsStayWithinTheSideLimit) {
    const std::vector<ChartPoint> points = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}};
    ASSERT_TRUE(Draw(points, SnapChartBounds(ChartBounds{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX})));
    EXPECT_LE(canvas_.image.GetWidth(), ChartCanvas::MaxSide);
    EXPECT_LE(canvas_.image.GetHeight(), ChartCanvas::MaxSide);
}

class CanvasAllocationTest : public ::testing::Test {
protected:
    // An allocator that refuses canvases above `limit` pixels and logs every request.
    CanvasAllocator Refusing(int64_t limit) {
        return [this, limit](Image& image, int width, int height) {
            requests_.emplace_back(width, height);
            return static_cast<int64_t>(width) * height <= limit && image.Create(width, height, 32);
        };
    }
    std::vector<std::pair<int, int>> requests_;
    ChartCanvas canvas_;
};

TEST_F(CanvasAllocationTest, ARefusedCanvasShrinksItsLongerSide) {
    ASSERT_TRUE(DrawChartCanvas({{0, 500}, {1000, 500}}, ChartBounds{0, 0, 1000, 500}, Refusing(5000), canvas_));
    const std::vector<std::pair<int, int>> expected = {{1000, 500}, {100, 500}, {100, 50}};
    EXPECT_EQ(requests_, expected);
    EXPECT_EQ(canvas_.scaleX, 10);
    EXPECT_EQ(canvas_.scaleY, 10);
    // The series is drawn at the reduced scale: 500 becomes the full height of 50.
    EXPECT_EQ(canvas_.image.GetPixel(99, 1), ChartCanvas::ColumnColour);
}

TEST_F(CanvasAllocationTest, EqualSidesStillShrink) {
    ASSERT_TRUE(DrawChartCanvas({{0, 0}}, ChartBounds{0, 0, 500, 500}, Refusing(100), canvas_));
    const std::vector<std::pair<int, int>> expected = {{500, 500}, {50, 500}, {50, 50}, {5, 50}, {5, 5}};
    EXPECT_EQ(requests_, expected);
    EXPECT_EQ(canvas_.scaleX, 100);
    EXPECT_EQ(canvas_.scaleY, 100);
}

TEST_F(CanvasAllocationTest, GivesUpWhenNotEvenOnePixelCanBeMade) {
    EXPECT_FALSE(DrawChartCanvas({{0, 0}, {2000, 2000}}, ChartBounds{0, 0, 2000, 2000}, Refusing(0), canvas_));
    ASSERT_FALSE(requests_.empty());
    EXPECT_LE(requests_.size(), 10u);
    EXPECT_EQ(requests_.back(), std::make_pair(1, 1));
}

}  // namespace
}  // namespace trackalbum
