#include <gtest/gtest.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "platform/ExifOrientation.h"
#include "platform/GifPalette.h"
#include "platform/JpegCodec.h"

namespace trackalbum {
namespace {

TEST(ExifOrientationTest, ReadsTheTagAmongOthersAndNeverBeyondAPayloadsEnd) {
    const auto payload = [](uint8_t value) {
        return std::vector<uint8_t>{'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2, 0x01, 0x0F, 0, 2, 0, 0, 0, 4,
                                    'C', 'a', 'm', 0, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, value, 0, 0, 0, 0, 0, 0};  // Make, Orientation
    };
    for (uint8_t v = 0; v <= 9; ++v) EXPECT_EQ(ParseExifOrientation(payload(v).data(), 42), v >= 1 && v <= 8 ? v : 1);
    const std::vector<uint8_t> full = payload(6);  // each prefix copied alone, for the sanitizers
    for (size_t length = 0; length < 42; ++length) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<ptrdiff_t>(length));
        EXPECT_EQ(ParseExifOrientation(cut.data(), cut.size()), length >= 40 ? 6 : 1) << length;
    }
}

TEST(UprightPlacerTest, PlacesDecodedRowsForEveryOrientation) {
    // The stored picture 0 1 2 / 3 4 5 (3 x 2, the value in red), placed row by row as decoded.
    const uint8_t stored[2][9] = {{0, 0, 0, 1, 0, 0, 2, 0, 0}, {3, 0, 0, 4, 0, 0, 5, 0, 0}};
    const std::vector<int> upright[9] = {{}, {0, 1, 2, 3, 4, 5}, {2, 1, 0, 5, 4, 3}, {5, 4, 3, 2, 1, 0}, {3, 4, 5, 0, 1, 2},
                                         {0, 3, 1, 4, 2, 5}, {3, 0, 4, 1, 5, 2}, {5, 2, 4, 1, 3, 0}, {2, 5, 1, 4, 0, 3}};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        Raster out;
        ASSERT_TRUE(out.Allocate(orientation >= 5 ? 2 : 3, orientation >= 5 ? 3 : 2, 3));
        UprightPlacer placer(out, orientation);
        for (int y = 0; y < 2 && placer.NeedsScratch(); ++y) placer.Place(y, 1, stored[y], 9);
        for (int y = 0; y < 2 && !placer.NeedsScratch(); ++y) {
            std::copy(stored[y], stored[y] + 9, placer.TargetRow(y));
            placer.FinishRow(y);
        }
        std::vector<int> values;
        for (size_t i = 0; i < 6; ++i) values.push_back(out.pixels.Data()[i * 3]);
        EXPECT_EQ(values, upright[orientation]) << orientation;
    }
}

TEST(GifPaletteTest, RichImagesKeepTheCubeAndTheirMostFrequentOtherColours) {
    // 4096 colours; rows 0 to 3 the chart background, a grid line under the area, a frequent grey.
    Raster raster;
    ASSERT_TRUE(raster.Allocate(64, 64, 3));
    const uint8_t rows[4][3] = {{255, 255, 204}, {51, 204, 153}, {97, 97, 97}, {97, 97, 97}};
    for (int i = 0; i < 64 * 64; ++i) {
        const uint8_t fill[3] = {uint8_t(i % 64 * 4 + 1), uint8_t(i / 64 * 4 + 2), 77};
        std::copy_n(i < 4 * 64 ? rows[i / 64] : fill, 3, raster.pixels.Data() + 3 * i);
    }
    std::vector<uint8_t> indices(64 * 64);
    const GifPalette palette = BuildGifPalette(raster, indices.data());
    ASSERT_LE(palette.colours.size(), 256u);
    // Those exactly; the rest no farther than its cube neighbour, half a cube step in each channel.
    for (int i = 0; i < 64 * 64; ++i) {
        const uint8_t* want = raster.pixels.Data() + 3 * i;
        const PaletteColour got = palette.colours.at(indices[i]);
        const int dr = want[0] - got.r, dg = want[1] - got.g, db = want[2] - got.b;
        ASSERT_LE(dr * dr + dg * dg + db * db, i < 4 * 64 ? 0 : 3 * 26 * 26) << i;
    }
}

// A CMYK JPEG as print software writes it (Adobe marker, inverted values): left half red,
// right half blue, 32 x 16, turned by an EXIF orientation of 6 that puts the left half on top.
TEST(JpegCodecTest, CmykPhotosDecodeToRgbAndTurn) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;  // with its size
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 32, cinfo.image_height = 16, cinfo.input_components = 4, cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    uint8_t row[32 * 4];
    for (int i = 0; i < 32 * 4; ++i) row[i] = (i % 4 == 3) || (i < 64 ? i % 4 == 0 : i % 4 == 2) ? 255 : 0;
    for (JSAMPROW r = row; cinfo.next_scanline < 16;) jpeg_write_scanlines(&cinfo, &r, 1);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    const uint8_t app1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                            1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0};
    file.insert(file.begin() + 2, std::begin(app1), std::end(app1));

    Raster raster;
    ImageInfo info;
    ASSERT_EQ(JpegCodec().Decode(file.data(), file.size(), 1000, raster, info), CodecStatus::Ok);
    ASSERT_EQ(std::make_tuple(raster.channels, raster.width, raster.height, info.orientation), std::make_tuple(3, 16, 32, 6));
    for (const auto& [p, r, b] : {std::tuple{raster.Row(4) + 24, 255, 0}, {raster.Row(28) + 24, 0, 255}})
        EXPECT_TRUE(std::abs(p[0] - r) < 16 && p[1] < 16 && std::abs(p[2] - b) < 16) << r;
}

}  // namespace
}  // namespace trackalbum
