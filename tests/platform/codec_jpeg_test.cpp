#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <algorithm>
#include <vector>

#include "platform/JpegCodec.h"

namespace trackalbum {
namespace {

// A CMYK JPEG as print software writes it (with the Adobe marker, so inverted values):
// the left half red, the right half blue.
std::vector<uint8_t> CmykJpeg(int width, int height) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    const uint8_t red[4] = {255, 0, 0, 255}, blue[4] = {0, 0, 255, 255};
    for (int x = 0; x < width; ++x) std::copy(x < width / 2 ? red : blue, (x < width / 2 ? red : blue) + 4, row.begin() + 4 * x);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

bool Near(const uint8_t* p, int r, int g, int b) {
    return std::abs(p[0] - r) < 16 && std::abs(p[1] - g) < 16 && std::abs(p[2] - b) < 16;
}

TEST(JpegCodecTest, CmykPhotosDecodeToRgbAndTurn) {
    const JpegCodec codec;
    const auto file = CmykJpeg(32, 16);
    Raster raster;
    ImageInfo info;
    ASSERT_EQ(codec.Decode(file.data(), file.size(), 1000, raster, info), CodecStatus::Ok);
    ASSERT_EQ(raster.channels, 3);
    EXPECT_TRUE(Near(raster.Row(8) + 3 * 4, 255, 0, 0));
    EXPECT_TRUE(Near(raster.Row(8) + 3 * 28, 0, 0, 255));

    // The same with an Exif orientation of 6: the left half ends up on top.
    const uint8_t app1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                            1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> turned;
    for (size_t i = 0; i < file.size(); ++i) {
        if (i == 2)
            for (uint8_t b : app1) turned.push_back(b);
        turned.push_back(file[i]);
    }
    ASSERT_EQ(codec.Decode(turned.data(), turned.size(), 1000, raster, info), CodecStatus::Ok);
    ASSERT_EQ(raster.width, 16);
    ASSERT_EQ(raster.height, 32);
    EXPECT_EQ(info.orientation, 6);
    EXPECT_TRUE(Near(raster.Row(4) + 3 * 8, 255, 0, 0));
    EXPECT_TRUE(Near(raster.Row(28) + 3 * 8, 0, 0, 255));
}

}  // namespace
}  // namespace trackalbum
