#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/GifCodec.h"
#include "platform/GifPalette.h"

namespace trackalbum {
namespace {

class GifPaletteTest : public ::testing::Test {
protected:
    void Make(int width, int height, int channels) {
        ASSERT_TRUE(raster.Allocate(width, height, channels));
        indices.assign(static_cast<size_t>(width) * height, 0);
    }
    void Set(int x, int y, PaletteColour c, uint8_t alpha = 255) {
        uint8_t* p = raster.Row(y) + static_cast<size_t>(x) * raster.channels;
        p[0] = c.r, p[1] = c.g, p[2] = c.b;
        if (raster.channels == 4) p[3] = alpha;
    }
    PaletteColour At(int x, int y) const {
        const uint8_t* p = raster.Row(y) + static_cast<size_t>(x) * raster.channels;
        return {p[0], p[1], p[2]};
    }
    PaletteColour Mapped(const GifPalette& palette, int x, int y) const {
        return palette.colours.at(indices[static_cast<size_t>(y) * raster.width + x]);
    }
    Raster raster;
    std::vector<uint8_t> indices;
};

TEST_F(GifPaletteTest, UpTo256ColoursAreKeptExactly) {
    Make(16, 16, 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) Set(x, y, {uint8_t(x * 16 + y), uint8_t(255 - x), uint8_t(y * 3)});
    const GifPalette palette = BuildGifPalette(raster, indices.data());
    EXPECT_EQ(palette.colours.size(), 256u);
    EXPECT_EQ(palette.transparentIndex, -1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Mapped(palette, x, y), At(x, y));
}

TEST_F(GifPaletteTest, TransparencyTakesOneEntry) {
    Make(16, 16, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) Set(x, y, {uint8_t(x * 16 + y), 7, 9}, x + y == 0 ? 0 : 255);
    GifPalette palette = BuildGifPalette(raster, indices.data());
    EXPECT_EQ(palette.transparentIndex, 0);
    EXPECT_EQ(indices[0], 0);
    EXPECT_EQ(palette.colours.size(), 256u);  // 255 colours and the transparent entry
    for (int i = 1; i < 256; ++i) ASSERT_EQ(Mapped(palette, i % 16, i / 16), At(i % 16, i / 16));

    Set(0, 0, {1, 2, 3}, 255);  // 256 colours: too many beside a transparent entry
    Set(1, 0, {0, 0, 0}, 10);
    palette = BuildGifPalette(raster, indices.data());
    EXPECT_EQ(palette.transparentIndex, 0);
    EXPECT_EQ(indices[1], 0);
    EXPECT_LE(palette.colours.size(), 256u);
}

TEST_F(GifPaletteTest, RichImagesKeepCubeColoursAndTheirMostFrequentOthers) {
    Make(64, 64, 3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) Set(x, y, {uint8_t(x * 4 + 1), uint8_t(y * 4 + 2), 77});  // 4096 colours
    for (int x = 0; x < 64; ++x) {
        Set(x, 0, {255, 255, 204});  // chart background
        Set(x, 1, {51, 204, 153});   // grid line under a column
        Set(x, 2, {97, 97, 97});     // frequent grey off the cube
        Set(x, 3, {97, 97, 97});
    }
    const GifPalette palette = BuildGifPalette(raster, indices.data());
    ASSERT_LE(palette.colours.size(), 256u);
    EXPECT_EQ(Mapped(palette, 5, 0), (PaletteColour{255, 255, 204}));
    EXPECT_EQ(Mapped(palette, 5, 1), (PaletteColour{51, 204, 153}));
    EXPECT_EQ(Mapped(palette, 5, 2), (PaletteColour{97, 97, 97}));
    // Everything else lands on an entry at least as near as its cube neighbour, which is
    // at most half a cube step away in each channel.
    for (int y = 4; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const PaletteColour want = At(x, y), got = Mapped(palette, x, y);
            const int dr = want.r - got.r, dg = want.g - got.g, db = want.b - got.b;
            ASSERT_LE(dr * dr + dg * dg + db * db, 3 * 26 * 26) << x << "," << y;
        }
}

TEST(GifCodecTest, TransparentPixelsSurviveTheFile) {
    Raster raster;
    ASSERT_TRUE(raster.Allocate(3, 2, 4));
    for (int i = 0; i < 6; ++i) {
        uint8_t* p = raster.pixels.Data() + i * 4;
        p[0] = uint8_t(i * 40), p[1] = 0, p[2] = 0, p[3] = i == 4 ? 0 : 255;
    }
    const GifCodec codec;
    std::vector<uint8_t> file;
    ASSERT_EQ(codec.Encode(raster, file), CodecStatus::Ok);
    Raster back;
    ImageInfo info;
    ASSERT_EQ(codec.Decode(file.data(), file.size(), 100, back, info), CodecStatus::Ok);
    ASSERT_EQ(back.channels, 4);
    EXPECT_EQ(back.Row(1)[1 * 4 + 3], 0);
    EXPECT_EQ(back.Row(1)[0], 120);
    EXPECT_EQ(back.Row(1)[3], 255);
}

}  // namespace
}  // namespace trackalbum
