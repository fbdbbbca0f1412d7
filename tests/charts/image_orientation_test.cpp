#include <gtest/gtest.h>

#include "charts/Image.h"
#include "image_test_support.h"

namespace trackalbum {
namespace {

using namespace trackalbum::image_test;

struct Corners {
    Rgb topLeft, topRight, bottomLeft, bottomRight;
};

// How a 32 x 16 picture of quadrants A B / C D shows under each orientation.
const Corners kShown[9] = {
    {},
    {kTopLeft, kTopRight, kBottomLeft, kBottomRight},      // 1 as stored
    {kTopRight, kTopLeft, kBottomRight, kBottomLeft},      // 2 mirrored
    {kBottomRight, kBottomLeft, kTopRight, kTopLeft},      // 3 half turn
    {kBottomLeft, kBottomRight, kTopLeft, kTopRight},      // 4 upside down mirror
    {kTopLeft, kBottomLeft, kTopRight, kBottomRight},      // 5 transposed
    {kBottomLeft, kTopLeft, kBottomRight, kTopRight},      // 6 quarter turn clockwise
    {kBottomRight, kTopRight, kBottomLeft, kTopLeft},      // 7 transversed
    {kTopRight, kBottomRight, kTopLeft, kBottomLeft},      // 8 quarter turn anticlockwise
};

class ImageOrientationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Quadrants(32, 16, 24).Save(folder / "plain.jpg"), ImageStatus::Ok);
        plain = ReadBytes(folder / "plain.jpg");
    }
    std::string WriteJpeg(const std::string& name, const std::vector<uint8_t>& segment) {
        WriteBytes(folder / name, WithSegment(plain, segment));
        return folder / name;
    }
    ScratchFolder folder;
    std::vector<uint8_t> plain;
};

TEST_F(ImageOrientationTest, LoadTurnsEveryOrientationUpright) {
    for (bool bigEndian : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::string path = WriteJpeg("o.jpg", ExifOrientationSegment(orientation, bigEndian));
            Image image;
            ASSERT_EQ(image.Load(path), ImageStatus::Ok);
            const bool turned = orientation >= 5;
            ASSERT_EQ(image.GetWidth(), turned ? 16 : 32) << orientation;
            ASSERT_EQ(image.GetHeight(), turned ? 32 : 16) << orientation;
            const int right = image.GetWidth() - 4, bottom = image.GetHeight() - 4;
            const Corners& want = kShown[orientation];
            EXPECT_TRUE(Near(image.GetPixel(3, 3), want.topLeft)) << orientation;
            EXPECT_TRUE(Near(image.GetPixel(right, 3), want.topRight)) << orientation;
            EXPECT_TRUE(Near(image.GetPixel(3, bottom), want.bottomLeft)) << orientation;
            EXPECT_TRUE(Near(image.GetPixel(right, bottom), want.bottomRight)) << orientation;
            int w = 0, h = 0;
            ASSERT_TRUE(ReadImageSize(path, w, h));
            EXPECT_EQ(w, image.GetWidth()) << orientation;
            EXPECT_EQ(h, image.GetHeight()) << orientation;
        }
    }
}

TEST_F(ImageOrientationTest, InvalidOrIgnoredTagsLeaveThePictureAsStored) {
    std::vector<std::vector<uint8_t>> segments;
    for (int value : {0, 9, 65535}) segments.push_back(ExifOrientationSegment(value, false));
    auto wrongType = ExifOrientationSegment(6, false);
    wrongType[4 + 6 + 8 + 2 + 2] = 4;  // LONG instead of SHORT
    segments.push_back(wrongType);
    auto tooManyEntries = ExifOrientationSegment(6, false);
    tooManyEntries[4 + 6 + 8] = 0xFF;  // 65535 entries announced, one present: the one is read
    segments.push_back(tooManyEntries);
    auto farOffset = ExifOrientationSegment(6, true);
    farOffset[4 + 6 + 4] = 0x7F;  // IFD0 beyond the segment
    segments.push_back(farOffset);
    auto notExif = ExifOrientationSegment(6, false);
    notExif[4] = 'X';
    segments.push_back(notExif);
    for (size_t i = 0; i < segments.size(); ++i) {
        Image image;
        ASSERT_EQ(image.Load(WriteJpeg("bad.jpg", segments[i])), ImageStatus::Ok) << i;
        EXPECT_EQ(image.GetWidth(), i == 4 ? 16 : 32) << i;
    }
}

TEST_F(ImageOrientationTest, TheFirstExifSegmentCountsEvenAfterAnotherApp1) {
    std::vector<uint8_t> xmp{0xFF, 0xE1, 0, 12, 'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.'};
    auto segments = xmp;
    const auto exif = ExifOrientationSegment(8, false);
    segments.insert(segments.end(), exif.begin(), exif.end());
    const auto later = ExifOrientationSegment(1, false);
    segments.insert(segments.end(), later.begin(), later.end());
    Image image;
    ASSERT_EQ(image.Load(WriteJpeg("xmp.jpg", segments)), ImageStatus::Ok);
    EXPECT_EQ(image.GetWidth(), 16);
    EXPECT_TRUE(Near(image.GetPixel(3, 3), kShown[8].topLeft));
}

}  // namespace
}  // namespace trackalbum
