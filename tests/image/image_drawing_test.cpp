#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "image/Image.h"

namespace trackalbum {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGrid{204, 204, 153};
using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const Image& image, Rgb colour) {
    PixelSet set;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetPixel(x, y) == colour) set.insert({x, y});
    return set;
}

TEST(ImageSurfaceTest, CreateMakesBlackOpaqueImagesAndRefusesBadShapes) {
    Image image;
    for (auto [w, h, depth] : {std::tuple{0, 4, 24}, {4, -1, 24}, {4, 4, 16}, {100'000, 100'000, 32}, {5, 3, 24}, {5, 3, 32}}) {
        EXPECT_EQ(image.Create(w, h, depth), w == 5) << w << 'x' << h << 'x' << depth;
        EXPECT_EQ(PixelsOf(image, kBlack).size(), w == 5 ? 15u : 0u);
    }
    EXPECT_EQ(image.GetRow(2)[4 * 4 + 3], 255);
}

TEST(ImageSurfaceTest, LinesAreClippedAndLeaveOutTheirEndPoint) {
    const struct {
        int x0, y0, x1, y1;
        PixelSet lit;
    } cases[] = {
        {2, 6, 2, 3, {{2, 4}, {2, 5}}},  // a chart column from just below the image
        {4, 4, 0, 0, {{4, 4}, {3, 3}, {2, 2}, {1, 1}}},
        {-7, -3, 12, 9, {{0, 1}, {1, 2}, {2, 3}, {3, 3}, {4, 4}, {5, 5}, {6, 5}}},  // clipped at both ends
        {-2'000'000'000, 2, 2'000'000'000, 2, {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}}},
    };
    for (const auto& c : cases) {
        Image image;
        ASSERT_TRUE(image.Create(8, 6, 24));
        image.DrawLine(c.x0, c.y0, c.x1, c.y1, kRed);
        EXPECT_EQ(PixelsOf(image, kRed), c.lit) << c.x0 << ',' << c.y0 << ' ' << c.x1 << ',' << c.y1;
    }
}

TEST(ImageCopyTest, ReductionAndsTheSourcePixelsEnlargementRepeatsThemClippingKeepsThem) {
    Image target, mixed, source;
    ASSERT_TRUE(target.Create(6, 4, 32) && mixed.Create(2, 1, 24) && source.Create(4, 4, 24));
    mixed.SetPixel(0, 0, {0xF0, 0x0F, 0xFF});
    mixed.SetPixel(1, 0, {0x3C, 0xFF, 0x81});
    target.FillRect(0, 0, 6, 4, kGrid);
    target.CopyFrom(mixed, 5, 3, 1, 1, RasterOp::Copy);
    EXPECT_EQ(target.GetPixel(5, 3), (Rgb{0x30, 0x0F, 0x81}));
    target.CopyFrom(mixed, 4, 2, 1, 1, RasterOp::Xor);
    EXPECT_EQ(target.GetPixel(4, 2), (Rgb{0xCC ^ 0x30, 0xCC ^ 0x0F, 0x99 ^ 0x81}));
    target.CopyFrom(mixed, 0, 0, 6, 2, RasterOp::Copy);  // 2 x 1 onto 6 x 2: nearest pixels
    for (int i = 0; i < 12; ++i) EXPECT_EQ(target.GetPixel(i % 6, i / 6), mixed.GetPixel(i % 6 / 3, 0)) << i;
    EXPECT_EQ(target.GetPixel(0, 2), kGrid);
    // Clipped copies keep the source in place; a copy into itself reads before it writes.
    target.FillRect(0, 0, 6, 4, kBlack);
    source.SetPixel(3, 3, kRed);
    target.CopyFrom(source, 3, 1, 4, 4, RasterOp::Copy);  // only source columns 0..2, rows 0..2 show
    EXPECT_TRUE(PixelsOf(target, kRed).empty());
    target.CopyFrom(source, -1, -1, 4, 4, RasterOp::Copy);
    EXPECT_EQ(PixelsOf(target, kRed), (PixelSet{{2, 2}}));
    target.CopyFrom(target, 1, 0, 6, 4, RasterOp::Copy);
    EXPECT_EQ(PixelsOf(target, kRed), (PixelSet{{3, 2}}));
}

}  // namespace
}  // namespace trackalbum
