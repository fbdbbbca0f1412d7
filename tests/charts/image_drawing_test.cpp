#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "charts/Image.h"

namespace trackalbum {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBackground{255, 255, 204};
constexpr Rgb kGrid{204, 204, 153};

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const Image& image, Rgb colour) {
    PixelSet set;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetPixel(x, y) == colour) set.insert({x, y});
    return set;
}

class ImageSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(image.Create(8, 6, 32)); }
    Image image;
};

TEST(ImageCreateTest, MakesBlackOpaqueImagesOfBothDepths) {
    for (int depth : {24, 32}) {
        Image image;
        ASSERT_TRUE(image.Create(5, 3, depth));
        EXPECT_EQ(image.GetWidth(), 5);
        EXPECT_EQ(image.GetHeight(), 3);
        EXPECT_EQ(image.GetDepth(), depth);
        EXPECT_EQ(PixelsOf(image, kBlack).size(), 15u);
        if (depth == 32) {
            EXPECT_EQ(image.GetRow(2)[4 * 4 + 3], 255);
        }
    }
}

TEST(ImageCreateTest, RefusesInvalidShapesAndStaysEmpty) {
    Image image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    EXPECT_FALSE(image.Create(0, 4, 24));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.Create(4, -1, 24));
    EXPECT_FALSE(image.Create(4, 4, 16));
    EXPECT_FALSE(image.Create(100'000, 100'000, 32));  // beyond MaxPixels
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetDepth(), 0);
}

TEST_F(ImageSurfaceTest, PixelsOutsideAreIgnoredAndReadBlack) {
    image.SetPixel(-1, 0, kRed);
    image.SetPixel(8, 0, kRed);
    image.SetPixel(0, 6, kRed);
    EXPECT_TRUE(PixelsOf(image, kRed).empty());
    EXPECT_EQ(image.GetPixel(100, -3), kBlack);
    image.SetPixel(7, 5, kRed);
    EXPECT_EQ(image.GetPixel(7, 5), kRed);
}

TEST_F(ImageSurfaceTest, FillRectIsClipped) {
    image.FillRect(-2, 4, 4, 10, kRed);
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{0, 4}, {1, 4}, {0, 5}, {1, 5}}));
    image.FillRect(3, 3, 0, 2, kGrid);
    image.FillRect(3, 3, 2, -2, kGrid);
    EXPECT_TRUE(PixelsOf(image, kGrid).empty());
}

TEST_F(ImageSurfaceTest, LinesLeaveOutTheirEndPoint) {
    image.DrawLine(2, 6, 2, 3, kRed);  // a chart column from just below the image
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{2, 4}, {2, 5}}));
    image.FillRect(0, 0, 8, 6, kBlack);
    image.DrawLine(1, 1, 5, 1, kRed);
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    image.FillRect(0, 0, 8, 6, kBlack);
    image.DrawLine(4, 4, 0, 0, kRed);
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{4, 4}, {3, 3}, {2, 2}, {1, 1}}));
    image.FillRect(0, 0, 8, 6, kBlack);
    image.DrawLine(3, 3, 3, 3, kRed);
    EXPECT_TRUE(PixelsOf(image, kRed).empty());
}

TEST_F(ImageSurfaceTest, ShallowLinesStepOnePixelPerColumn) {
    image.DrawLine(0, 0, 6, 3, kRed);
    const PixelSet red = PixelsOf(image, kRed);
    ASSERT_EQ(red.size(), 6u);
    int previousY = 0;
    for (int x = 0; x < 6; ++x) {
        const auto it = std::find_if(red.begin(), red.end(), [x](auto p) { return p.first == x; });
        ASSERT_NE(it, red.end());
        EXPECT_GE(it->second, previousY);
        EXPECT_LE(it->second - previousY, 1);
        previousY = it->second;
    }
    EXPECT_TRUE(red.count({0, 0}));
}

// A clipped line lights exactly the pixels the unclipped line lights inside the image.
TEST(ImageLineClipTest, ClippingKeepsThePixelsOfTheWholeLine) {
    const int lines[][4] = {{-7, -3, 12, 9}, {15, 2, -4, 4}, {3, -20, 5, 30}, {9, 7, -3, -5}};
    for (const auto& l : lines) {
        Image small, large;
        ASSERT_TRUE(small.Create(8, 6, 24));
        ASSERT_TRUE(large.Create(2000, 100, 24));
        const int ox = 1000, oy = 40;
        small.DrawLine(l[0], l[1], l[2], l[3], kRed);
        large.DrawLine(l[0] + ox, l[1] + oy, l[2] + ox, l[3] + oy, kRed);
        PixelSet expected;
        for (auto [x, y] : PixelsOf(large, kRed))
            if (x - ox >= 0 && x - ox < 8 && y - oy >= 0 && y - oy < 6) expected.insert({x - ox, y - oy});
        EXPECT_EQ(PixelsOf(small, kRed), expected) << l[0] << "," << l[1] << " " << l[2] << "," << l[3];
    }
}

TEST(ImageLineClipTest, FarAwayEndPointsCostOnlyTheVisiblePart) {
    Image image;
    ASSERT_TRUE(image.Create(8, 6, 24));
    image.DrawLine(-2'000'000'000, 2, 2'000'000'000, 2, kRed);
    image.DrawLine(3, 2'000'000'000, 3, -2'000'000'000, kRed);
    EXPECT_EQ(PixelsOf(image, kRed).size(), 8u + 5u);
}

class ImageCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(chart.Create(6, 4, 32));
        chart.FillRect(0, 0, 6, 4, kBackground);
        chart.FillRect(0, 2, 6, 1, kGrid);
    }
    Image chart;
};

TEST_F(ImageCopyTest, ExclusiveOrTurnsRedIntoTheChartColours) {
    Image canvas;
    ASSERT_TRUE(canvas.Create(6, 4, 32));
    canvas.FillRect(1, 0, 1, 4, kRed);
    chart.CopyFrom(canvas, 0, 0, 6, 4, RasterOp::Xor);
    EXPECT_EQ(chart.GetPixel(0, 0), kBackground);  // black canvas leaves the chart as it was
    EXPECT_EQ(chart.GetPixel(1, 0), (Rgb{0, 255, 204}));
    EXPECT_EQ(chart.GetPixel(1, 2), (Rgb{51, 204, 153}));
    EXPECT_EQ(chart.GetPixel(0, 2), kGrid);
    EXPECT_EQ(chart.GetRow(0)[1 * 4 + 3], 255);  // alpha is not toggled
}

TEST_F(ImageCopyTest, ReductionCombinesSourcePixelsByAnd) {
    Image canvas;  // 4 x 2 onto 2 x 1: columns {0,1} and {2,3} meet
    ASSERT_TRUE(canvas.Create(4, 2, 24));
    canvas.FillRect(0, 0, 4, 2, kRed);
    canvas.SetPixel(3, 1, kBlack);
    chart.CopyFrom(canvas, 2, 1, 2, 1, RasterOp::Xor);
    EXPECT_EQ(chart.GetPixel(2, 1), (Rgb{0, 255, 204}));  // all four red
    EXPECT_EQ(chart.GetPixel(3, 1), kBackground);         // one black among them
    chart.CopyFrom(canvas, 0, 0, 1, 1, RasterOp::Copy);
    EXPECT_EQ(chart.GetPixel(0, 0), kBlack);
    Image mixed;
    ASSERT_TRUE(mixed.Create(2, 1, 24));
    mixed.SetPixel(0, 0, {0xF0, 0x0F, 0xFF});
    mixed.SetPixel(1, 0, {0x3C, 0xFF, 0x81});
    chart.CopyFrom(mixed, 5, 3, 1, 1, RasterOp::Copy);
    EXPECT_EQ(chart.GetPixel(5, 3), (Rgb{0x30, 0x0F, 0x81}));
}

TEST_F(ImageCopyTest, EnlargementRepeatsNearestPixels) {
    Image source;
    ASSERT_TRUE(source.Create(2, 1, 24));
    source.SetPixel(0, 0, kRed);
    source.SetPixel(1, 0, kGrid);
    chart.CopyFrom(source, 0, 0, 6, 2, RasterOp::Copy);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y) EXPECT_EQ(chart.GetPixel(x, y), x < 3 ? kRed : kGrid) << x << "," << y;
    EXPECT_EQ(chart.GetPixel(0, 2), kGrid);
}

TEST_F(ImageCopyTest, TargetRectangleIsClippedWithoutShiftingTheSource) {
    Image source;
    ASSERT_TRUE(source.Create(4, 4, 24));
    source.SetPixel(3, 3, kRed);
    chart.CopyFrom(source, 3, 1, 4, 4, RasterOp::Copy);  // only source columns 0..2, rows 0..2 show
    EXPECT_EQ(chart.GetPixel(5, 3), kBlack);
    EXPECT_EQ(PixelsOf(chart, kRed).size(), 0u);
    chart.CopyFrom(source, -1, -1, 4, 4, RasterOp::Copy);
    EXPECT_EQ(chart.GetPixel(2, 2), kRed);
    chart.CopyFrom(source, 0, 0, 0, 4, RasterOp::Copy);
    chart.CopyFrom(Image(), 0, 0, 4, 4, RasterOp::Copy);
}

TEST_F(ImageCopyTest, CopyIntoItselfUsesTheOriginalPixels) {
    chart.SetPixel(0, 0, kRed);
    chart.CopyFrom(chart, 1, 0, 6, 4, RasterOp::Copy);
    EXPECT_EQ(chart.GetPixel(1, 0), kRed);
    EXPECT_EQ(chart.GetPixel(2, 0), kBackground);
}

TEST(ImageCopyDepthTest, CopiesBetweenDepthsKeepColoursAndMakeAlphaOpaque) {
    Image rgb, rgba;
    ASSERT_TRUE(rgb.Create(3, 2, 24));
    ASSERT_TRUE(rgba.Create(3, 2, 32));
    rgb.SetPixel(1, 1, {1, 2, 3});
    rgba.CopyFrom(rgb, 0, 0, 3, 2, RasterOp::Copy);
    EXPECT_EQ(rgba.GetPixel(1, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(rgba.GetRow(1)[4 + 3], 255);
    Image back;
    ASSERT_TRUE(back.Create(3, 2, 24));
    back.CopyFrom(rgba, 0, 0, 3, 2, RasterOp::Copy);
    EXPECT_EQ(back.GetPixel(1, 1), (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace trackalbum
