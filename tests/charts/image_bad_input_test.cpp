#include <gtest/gtest.h>

#include <random>

#include "charts/Image.h"
#include "image_test_support.h"

namespace trackalbum {
namespace {

using namespace trackalbum::image_test;

// One small file of every format, made by the encoders, with varied content.
class ImageBadInputTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        Image image = Quadrants(40, 30, 24);
        for (int x = 0; x < 40; ++x) image.DrawLine(x, 0, 39 - x, 30, {uint8_t(x * 6), 90, uint8_t(255 - x * 6)});
        const std::string path = folder / (std::string("sample.") + GetParam());
        ASSERT_EQ(image.Save(path), ImageStatus::Ok);
        bytes = ReadBytes(path);
        ASSERT_GT(bytes.size(), 100u);
    }
    ImageStatus LoadBytes(const std::vector<uint8_t>& data, Image& image) {
        const std::string path = folder / (std::string("broken.") + GetParam());
        WriteBytes(path, data);
        const ImageStatus status = image.Load(path);
        int w = 0, h = 0;
        ReadImageSize(path, w, h);  // must not crash either
        return status;
    }
    ScratchFolder folder;
    std::vector<uint8_t> bytes;
};

// A file cut short anywhere before its pixel data ends never loads as a picture.
TEST_P(ImageBadInputTest, TruncatedFilesFailCleanly) {
    for (size_t length = 0; length + 16 < bytes.size(); ++length) {
        Image image;
        EXPECT_NE(image.LoadFromMemory(bytes.data(), length), ImageStatus::Ok) << GetParam() << " cut at " << length;
        EXPECT_TRUE(image.IsEmpty());
        if (length % 97 == 0) {  // and through a file now and then
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length));
            EXPECT_NE(LoadBytes(cut, image), ImageStatus::Ok) << GetParam() << " cut at " << length;
        }
    }
}

// Damaged bytes give a failure or some picture of the announced size, never a crash.
TEST_P(ImageBadInputTest, DamagedBytesNeverCrash) {
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> damaged = bytes;
        const int flips = 1 + round % 4;
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        Image image;
        if (image.LoadFromMemory(damaged.data(), damaged.size()) == ImageStatus::Ok) {
            EXPECT_GT(image.GetWidth(), 0);
            EXPECT_GT(image.GetHeight(), 0);
        } else {
            EXPECT_TRUE(image.IsEmpty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ImageBadInputTest, ::testing::Values("jpg", "png", "gif", "bmp"));

void Put16Le(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x), v[at + 1] = uint8_t(x >> 8);
}
void Put32Le(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
}
void Put32Be(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (24 - 8 * i));
}

// Headers that announce far more pixels than any photo fail before memory is taken.
class ImageHugeSizeTest : public ::testing::Test {
protected:
    std::vector<uint8_t> Sample(const char* extension) {
        const std::string path = folder / (std::string("s.") + extension);
        EXPECT_EQ(Quadrants(16, 16, 24).Save(path), ImageStatus::Ok);
        return ReadBytes(path);
    }
    void ExpectRefused(const std::vector<uint8_t>& data, const char* name) {
        WriteBytes(folder / name, data);
        Image image;
        EXPECT_EQ(image.Load(folder / name), ImageStatus::OutOfMemory) << name;
        EXPECT_TRUE(image.IsEmpty());
        int w = 0, h = 0;
        EXPECT_FALSE(ReadImageSize(folder / name, w, h)) << name;
    }
    ScratchFolder folder;
};

TEST_F(ImageHugeSizeTest, PngGifJpegAndBmpHeaders) {
    auto png = Sample("png");
    Put32Be(png, 16, 100000);
    Put32Be(png, 20, 100000);
    ExpectRefused(png, "huge.png");
    Put32Be(png, 16, 0x7FFFFFFF);
    Put32Be(png, 20, 1);
    ExpectRefused(png, "wide.png");

    auto gif = Sample("gif");
    Put16Le(gif, 6, 65535);
    Put16Le(gif, 8, 65535);
    ExpectRefused(gif, "huge.gif");
    // A small screen whose first frame reaches far beyond it.
    auto frame = Sample("gif");
    const size_t descriptor = 13 + 3 * (2u << (frame[10] & 7));
    ASSERT_EQ(frame[descriptor], 0x2C);
    Put16Le(frame, descriptor + 5, 65535);
    Put16Le(frame, descriptor + 7, 65535);
    ExpectRefused(frame, "frame.gif");

    auto jpeg = Sample("jpg");
    size_t sof = 2;
    while (jpeg[sof + 1] != 0xC0) sof += 2 + (jpeg[sof + 2] << 8 | jpeg[sof + 3]);
    jpeg[sof + 5] = jpeg[sof + 6] = jpeg[sof + 7] = jpeg[sof + 8] = 0xFF;  // 65535 x 65535
    ExpectRefused(jpeg, "huge.jpg");

    auto bmp = Sample("bmp");
    Put32Le(bmp, 18, 100000);
    Put32Le(bmp, 22, static_cast<uint32_t>(-100000));
    ExpectRefused(bmp, "huge.bmp");
}

TEST_F(ImageHugeSizeTest, MemoryLoadsCanLowerTheLimit) {
    const auto png = Sample("png");
    Image image;
    EXPECT_EQ(image.LoadFromMemory(png.data(), png.size(), 255), ImageStatus::OutOfMemory);
    EXPECT_EQ(image.LoadFromMemory(png.data(), png.size(), 256), ImageStatus::Ok);
}

TEST(ImageBmpVariantsTest, PaletteAndTopDownBitmapsLoad) {
    // 3 x 2, 4 bits a pixel, top-down, two palette entries used.
    std::vector<uint8_t> bmp(14 + 40 + 8 + 8, 0);
    bmp[0] = 'B', bmp[1] = 'M';
    Put32Le(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32Le(bmp, 10, 14 + 40 + 8);
    Put32Le(bmp, 14, 40);
    Put32Le(bmp, 18, 3);
    Put32Le(bmp, 22, static_cast<uint32_t>(-2));
    Put16Le(bmp, 26, 1);
    Put16Le(bmp, 28, 4);
    Put32Le(bmp, 46, 2);
    bmp[54] = 255, bmp[55] = 0, bmp[56] = 0;  // entry 0: blue (stored B, G, R)
    bmp[58] = 0, bmp[59] = 0, bmp[60] = 255;  // entry 1: red
    bmp[62] = 0x01, bmp[63] = 0x00;           // row 0: 0 1 0
    bmp[66] = 0x10, bmp[67] = 0x50;           // row 1: 1 0 5 (5 is beyond the palette)
    Image image;
    ASSERT_EQ(image.LoadFromMemory(bmp.data(), bmp.size()), ImageStatus::Ok);
    EXPECT_EQ(image.GetPixel(0, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(image.GetPixel(1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(image.GetPixel(0, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(image.GetPixel(2, 1), (Rgb{0, 0, 0}));
    bmp[30] = 2;  // run-length compression is not read
    EXPECT_EQ(image.LoadFromMemory(bmp.data(), bmp.size()), ImageStatus::GenericError);
}

}  // namespace
}  // namespace trackalbum
