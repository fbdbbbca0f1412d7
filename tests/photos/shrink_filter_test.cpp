#include "photos/ShrinkFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <tuple>

#include "charts/Image.h"

namespace trackalbum {
namespace {

using Wide = unsigned __int128;

Image MakeImage(int width, int height, const std::function<Rgb(int, int)>& colour) {
    Image image;
    EXPECT_TRUE(image.Create(width, height, 24));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, colour(x, y));
        }
    }
    return image;
}

Image MakeRandomImage(int width, int height, int depth, std::mt19937& random) {
    Image image;
    EXPECT_TRUE(image.Create(width, height, depth));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.GetRow(y);
        for (int i = 0; i < width * image.GetBytesPerPixel(); ++i) {
            row[i] = static_cast<uint8_t>(random());
        }
    }
    return image;
}

// The reduction written straight from its definition: one weight per sample, summed
// sample by sample, no separation and no precomputed tables.
Image DirectShrink(const Image& source, int targetWidth) {
    const int64_t width = source.GetWidth();
    const int64_t height = source.GetHeight();
    if (targetWidth > width) {
        return source;
    }
    const int64_t targetHeight = std::max<int64_t>(1, height * targetWidth / width);
    const int64_t r = width / targetWidth / 2;
    const int channels = source.GetBytesPerPixel();
    Image target;
    EXPECT_TRUE(target.Create(targetWidth, static_cast<int>(targetHeight), source.GetDepth()));
    for (int64_t x = 0; x < targetWidth; ++x) {
        for (int64_t y = 0; y < targetHeight; ++y) {
            const int64_t cx = width * x / targetWidth;
            const int64_t cy = height * y / targetHeight;
            uint8_t* out = target.GetRow(static_cast<int>(y)) + x * channels;
            if (r == 0) {
                std::memcpy(out, source.GetRow(static_cast<int>(cy)) + cx * channels, channels);
                continue;
            }
            Wide sums[4] = {};
            Wide total = 0;
            // Only offsets whose sample lies inside the source take part.
            for (int64_t dx = std::max(-r, -cx); dx <= std::min(r, width - 1 - cx); ++dx) {
                for (int64_t dy = std::max(-r, -cy); dy <= std::min(r, height - 1 - cy); ++dy) {
                    const Wide w = static_cast<Wide>(r * r - dx * dx) * static_cast<Wide>(r * r - dy * dy);
                    if (w == 0) {
                        continue;
                    }
                    const uint8_t* sample =
                        source.GetRow(static_cast<int>(cy + dy)) + (cx + dx) * channels;
                    for (int c = 0; c < channels; ++c) {
                        sums[c] += w * sample[c];
                    }
                    total += w;
                }
            }
            for (int c = 0; c < channels; ++c) {
                out[c] = static_cast<uint8_t>(sums[c] / total);
            }
        }
    }
    return target;
}

void ExpectSamePixels(const Image& expected, const Image& actual) {
    ASSERT_EQ(expected.GetWidth(), actual.GetWidth());
    ASSERT_EQ(expected.GetHeight(), actual.GetHeight());
    ASSERT_EQ(expected.GetDepth(), actual.GetDepth());
    const size_t rowBytes = static_cast<size_t>(expected.GetWidth()) * expected.GetBytesPerPixel();
    for (int y = 0; y < expected.GetHeight(); ++y) {
        ASSERT_EQ(0, std::memcmp(expected.GetRow(y), actual.GetRow(y), rowBytes)) << "row " << y;
    }
}

Image Shrunk(const Image& source, int targetWidth) {
    Image target;
    EXPECT_TRUE(ShrinkImage(source, targetWidth, target));
    return target;
}

TEST(ShrinkWidth, LandscapeGets160AndEverythingElse120) {
    EXPECT_EQ(160, GetShrinkWidth(640, 480));
    EXPECT_EQ(120, GetShrinkWidth(480, 640));
    EXPECT_EQ(120, GetShrinkWidth(500, 500));
    EXPECT_EQ(120, GetShrinkWidth(1, 1));
}

class ShrinkFilterTest : public ::testing::Test {
protected:
    static Rgb Coordinates(int x, int y) {
        return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y)};
    }
};

TEST_F(ShrinkFilterTest, RadiusOneTakesTheCentreSample) {
    const Image source = MakeImage(320, 240, Coordinates);
    const Image target = Shrunk(source, 160);
    ASSERT_EQ(160, target.GetWidth());
    ASSERT_EQ(120, target.GetHeight());
    for (int x = 0; x < 160; ++x) {
        for (int y = 0; y < 120; ++y) {
            ASSERT_EQ(source.GetPixel(2 * x, 2 * y), target.GetPixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ShrinkFilterTest, RadiusZeroTakesTheCentreSample) {
    // 200 / 160 = 1, so r = 0 and the window would be empty.
    const Image source = MakeImage(200, 100, Coordinates);
    const Image target = Shrunk(source, 160);
    ASSERT_EQ(160, target.GetWidth());
    ASSERT_EQ(80, target.GetHeight());
    for (int x = 0; x < 160; ++x) {
        for (int y = 0; y < 80; ++y) {
            ASSERT_EQ(source.GetPixel(200 * x / 160, 100 * y / 80), target.GetPixel(x, y));
        }
    }
}

TEST_F(ShrinkFilterTest, RadiusTwoWeighsThreeFourThreeAndRoundsDown) {
    // 8 x 4 to 2 x 1: r = 2, centres (0, 0) and (4, 0).
    Image source = MakeImage(8, 4, [](int, int) { return Rgb{0, 0, 0}; });
    source.SetPixel(0, 0, {10, 0, 0});
    source.SetPixel(1, 0, {20, 0, 0});
    source.SetPixel(0, 1, {30, 0, 0});
    source.SetPixel(1, 1, {40, 0, 0});
    source.SetPixel(2, 0, {255, 255, 255});  // on the border of the first window: weight 0
    for (int x = 3; x <= 5; ++x) {
        for (int y = 0; y <= 1; ++y) {
            source.SetPixel(x, y, {100, 7, 0});
        }
    }
    source.SetPixel(5, 1, {0, 7, 0});
    source.SetPixel(6, 0, {0, 255, 0});  // border of the second window

    const Image target = Shrunk(source, 2);
    ASSERT_EQ(2, target.GetWidth());
    ASSERT_EQ(1, target.GetHeight());
    // Clipped window: weights 16, 12, 12, 9 (total 49) -> 1120 / 49 = 22.86.
    EXPECT_EQ((Rgb{22, 0, 0}), target.GetPixel(0, 0));
    // Full width, clipped height: total 10 x 7 = 70, the (5, 1) sample weighs 9:
    // 100 x 61 / 70 = 87.14; the constant 7 stays 7.
    EXPECT_EQ((Rgb{87, 7, 0}), target.GetPixel(1, 0));
}

TEST_F(ShrinkFilterTest, RadiusSixImpulseAndBorder) {
    // 24 x 12 to 2 x 1: r = 6, weights 36 - d² for |d| < 6; the first window is clipped
    // to 36 + 35 + 32 + 27 + 20 + 11 = 161 on both axes.
    Image source = MakeImage(24, 12, [](int, int) { return Rgb{0, 0, 0}; });
    source.SetPixel(1, 0, {255, 0, 0});
    source.SetPixel(6, 0, {0, 255, 0});   // border of both windows (centres 0 and 12)
    source.SetPixel(18, 0, {0, 255, 0});  // border of the second window
    source.SetPixel(12, 5, {0, 0, 255});  // weight 36 x 11 in the second window

    const Image target = Shrunk(source, 2);
    // 255 x 35 x 36 / (161 x 161) = 12.4
    EXPECT_EQ((Rgb{12, 0, 0}), target.GetPixel(0, 0));
    // 255 x 36 x 11 / (286 x 161) = 2.19
    EXPECT_EQ((Rgb{0, 0, 2}), target.GetPixel(1, 0));
}

TEST_F(ShrinkFilterTest, PhotoSizesFollowTheTargetWidth) {
    std::mt19937 random(7);
    struct Case {
        int width, height, targetWidth, targetHeight;
    };
    for (const Case& c : {Case{640, 480, 160, 120}, Case{480, 640, 120, 160},
                          Case{2000, 1000, 160, 80}}) {
        const Image source = MakeRandomImage(c.width, c.height, 24, random);
        const Image target = Shrunk(source, GetShrinkWidth(c.width, c.height));
        EXPECT_EQ(c.targetWidth, target.GetWidth());
        EXPECT_EQ(c.targetHeight, target.GetHeight());
        ExpectSamePixels(DirectShrink(source, c.targetWidth), target);
    }
}

TEST_F(ShrinkFilterTest, NarrowerThanTheTargetStaysAsItIs) {
    std::mt19937 random(3);
    for (const auto& [width, height] : {std::pair{100, 80}, std::pair{1, 1}}) {
        const Image source = MakeRandomImage(width, height, 24, random);
        ExpectSamePixels(source, Shrunk(source, GetShrinkWidth(width, height)));
    }
}

TEST_F(ShrinkFilterTest, VeryFlatPhotoKeepsOneRow) {
    std::mt19937 random(5);
    const Image source = MakeRandomImage(2000, 5, 24, random);
    const Image target = Shrunk(source, 160);
    EXPECT_EQ(1, target.GetHeight());
    ExpectSamePixels(DirectShrink(source, 160), target);
}

TEST_F(ShrinkFilterTest, SeparableSumsEqualTheDirectFormulaOnRandomImages) {
    std::mt19937 random(2026);
    for (int round = 0; round < 120; ++round) {
        const int targetWidth = 1 + static_cast<int>(random() % 9);
        const int width = targetWidth + static_cast<int>(random() % (targetWidth * 18));
        const int height = 1 + static_cast<int>(random() % 60);
        const int depth = round % 3 == 0 ? 32 : 24;
        const Image source = MakeRandomImage(width, height, depth, random);
        SCOPED_TRACE(::testing::Message() << width << "x" << height << " -> " << targetWidth
                                          << " depth " << depth);
        ExpectSamePixels(DirectShrink(source, targetWidth), Shrunk(source, targetWidth));
    }
}

TEST_F(ShrinkFilterTest, TallWindowsAndRowsOfAnyLength) {
    // r = 20 and 27: windows of 39 and 53 rows, summed in several groups; rows whose byte
    // count is not a multiple of 16 end in the plain loop.
    std::mt19937 random(13);
    for (const auto& [width, height, targetWidth, depth] :
         {std::tuple{1601, 1203, 40, 24}, std::tuple{1511, 997, 27, 32},
          std::tuple{4333, 300, 80, 24}}) {
        const Image source = MakeRandomImage(width, height, depth, random);
        SCOPED_TRACE(::testing::Message() << width << "x" << height << " -> " << targetWidth);
        ExpectSamePixels(DirectShrink(source, targetWidth), Shrunk(source, targetWidth));
    }
}

TEST_F(ShrinkFilterTest, WindowsTooWideForSixtyFourBitSums) {
    // r = 900: the weighted sums pass 2^64, so they must be taken in 128 bits.
    std::mt19937 random(11);
    const Image source = MakeRandomImage(1800, 1800, 24, random);
    ExpectSamePixels(DirectShrink(source, 1), Shrunk(source, 1));
}

TEST_F(ShrinkFilterTest, NothingToShrinkFails) {
    Image empty;
    Image target;
    EXPECT_FALSE(ShrinkImage(empty, 160, target));
    EXPECT_TRUE(target.IsEmpty());
    const Image source = MakeImage(4, 4, Coordinates);
    EXPECT_FALSE(ShrinkImage(source, 0, target));
    EXPECT_TRUE(target.IsEmpty());
}

}  // namespace
}  // namespace trackalbum
