#include "photos/ShrinkFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace trackalbum {
namespace {

Image MakeImage(int width, int height, int depth, std::mt19937& random) {
    Image image;
    EXPECT_TRUE(image.Create(width, height, depth));
    for (int y = 0; y < height; ++y) std::generate_n(image.GetRow(y), width * image.GetBytesPerPixel(), [&] { return uint8_t(random()); });
    return image;
}

Image Black(int width, int height, std::initializer_list<std::pair<std::pair<int, int>, Rgb>> pixels) {
    Image image;
    EXPECT_TRUE(image.Create(width, height, 24));
    for (const auto& [at, colour] : pixels) image.SetPixel(at.first, at.second, colour);
    return image;
}

Image Shrunk(const Image& source, int targetWidth) {
    Image target;
    EXPECT_TRUE(ShrinkImage(source, targetWidth, target));
    return target;
}

// The reduction straight from its definition, sample by sample in 128 bits.
Image DirectShrink(const Image& source, int64_t targetWidth) {
    const int64_t width = source.GetWidth(), height = source.GetHeight();
    const int64_t targetHeight = std::max<int64_t>(1, height * targetWidth / width), r = width / targetWidth / 2;
    const int channels = source.GetBytesPerPixel();
    Image target;
    EXPECT_TRUE(target.Create(static_cast<int>(targetWidth), static_cast<int>(targetHeight), source.GetDepth()));
    for (int64_t x = 0; x < targetWidth; ++x) {
        for (int64_t y = 0; y < targetHeight; ++y) {
            const int64_t cx = width * x / targetWidth, cy = height * y / targetHeight;
            uint8_t* out = target.GetRow(static_cast<int>(y)) + x * channels;
            unsigned __int128 sums[4] = {}, total = 0;
            for (int64_t dx = std::max(-r, -cx); dx <= std::min(r, width - 1 - cx); ++dx) {
                for (int64_t dy = std::max(-r, -cy); dy <= std::min(r, height - 1 - cy); ++dy) {
                    const unsigned __int128 w = static_cast<unsigned __int128>(r * r - dx * dx) * (r * r - dy * dy);
                    const uint8_t* sample = source.GetRow(static_cast<int>(cy + dy)) + (cx + dx) * channels;
                    for (int c = 0; c < channels; ++c) sums[c] += w * sample[c];
                    total += w;
                }
            }
            const uint8_t* centre = source.GetRow(static_cast<int>(cy)) + cx * channels;
            for (int c = 0; c < channels; ++c) out[c] = r == 0 ? centre[c] : static_cast<uint8_t>(sums[c] / total);
        }
    }
    return target;
}

// Size, depth and every byte, for comparing two images.
std::string Pixels(const Image& image) {
    std::string bytes = std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) + "x" + std::to_string(image.GetDepth());
    for (int y = 0; y < image.GetHeight(); ++y) {
        bytes.append(reinterpret_cast<const char*>(image.GetRow(y)), size_t(image.GetWidth()) * image.GetBytesPerPixel());
    }
    return bytes;
}

TEST(ShrinkFilterTest, RadiusTwoAndSixWeighParabolicallyAndRoundDown) {
    // 8 x 4 to 2 x 1: r = 2, centres (0, 0) and (4, 0), weights 3 4 3 along each axis; (2, 0)
    // lies on the first window's border (weight 0).
    Image target = Shrunk(Black(8, 4, {{{0, 0}, {10, 0, 0}}, {{1, 0}, {20, 0, 0}}, {{0, 1}, {30, 0, 0}}, {{1, 1}, {40, 0, 0}},
                                       {{2, 0}, {255, 255, 255}}, {{3, 0}, {100, 7, 0}}, {{4, 0}, {100, 7, 0}}, {{5, 0}, {100, 7, 0}},
                                       {{3, 1}, {100, 7, 0}}, {{4, 1}, {100, 7, 0}}, {{5, 1}, {0, 7, 0}}}), 2);
    // Clipped window 16, 12, 12, 9: 1120 / 49 = 22.86; full width, clipped height: 100 x 61 / 70.
    EXPECT_EQ(target.GetPixel(0, 0), (Rgb{22, 0, 0}));
    EXPECT_EQ(target.GetPixel(1, 0), (Rgb{87, 7, 0}));
    // 24 x 12 to 2 x 1: r = 6, weights 36 - d² for |d| < 6, the first window clipped to 161.
    target = Shrunk(Black(24, 12, {{{1, 0}, {255, 0, 0}}, {{6, 0}, {0, 255, 0}}, {{18, 0}, {0, 255, 0}}, {{12, 5}, {0, 0, 255}}}), 2);
    EXPECT_EQ(target.GetPixel(0, 0), (Rgb{12, 0, 0}));  // 255 x 35 x 36 / 161²
    EXPECT_EQ(target.GetPixel(1, 0), (Rgb{0, 0, 2}));   // 255 x 36 x 11 / (286 x 161)
}

// Landscape to 160, others to 120, never wider; r = 1 and r = 0 (the centre sample), alpha,
// windows taller than one pass of sums, any row length, sums past 64 bits (r = 900), random.
TEST(ShrinkFilterTest, SeparatedSumsEqualTheDefinition) {
    std::mt19937 random(2026);
    const struct { int width, height, depth, targetWidth, expectedWidth, expectedHeight; } cases[] = {
        {640, 480, 24, 0, 160, 120}, {480, 640, 24, 0, 120, 160}, {500, 500, 32, 0, 120, 120}, {2000, 1000, 32, 0, 160, 80},
        {2000, 5, 24, 0, 160, 1}, {100, 80, 24, 0, 100, 80}, {1, 1, 24, 0, 1, 1}, {320, 240, 24, 0, 160, 120},
        {200, 100, 32, 0, 160, 80}, {1601, 1203, 24, 40, 40, 30}, {1511, 997, 32, 27, 27, 17}, {4333, 300, 24, 80, 80, 5},
        {1800, 1800, 24, 1, 1, 1}};
    for (const auto& c : cases) {
        const Image source = MakeImage(c.width, c.height, c.depth, random);
        const Image target = Shrunk(source, c.targetWidth ? c.targetWidth : GetShrinkWidth(c.width, c.height));
        EXPECT_EQ(target.GetWidth() * 10000 + target.GetHeight(), c.expectedWidth * 10000 + c.expectedHeight) << c.width << "x" << c.height;
        EXPECT_TRUE(Pixels(c.width < 160 ? source : DirectShrink(source, target.GetWidth())) == Pixels(target)) << c.width << "x" << c.height;
    }
    for (int round = 0; round < 120; ++round) {
        const int targetWidth = 1 + static_cast<int>(random() % 9);
        const int width = targetWidth + static_cast<int>(random() % (targetWidth * 18)), height = 1 + static_cast<int>(random() % 60);
        const Image source = MakeImage(width, height, round % 3 ? 24 : 32, random);
        EXPECT_TRUE(Pixels(DirectShrink(source, targetWidth)) == Pixels(Shrunk(source, targetWidth))) << width << "x" << height;
    }
}

}  // namespace
}  // namespace trackalbum
