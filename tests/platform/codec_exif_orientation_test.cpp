#include <gtest/gtest.h>

#include <vector>

#include "platform/ExifOrientation.h"

namespace trackalbum {
namespace {

std::vector<uint8_t> Payload(uint16_t value) {
    return {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,  // header, IFD0 at 8
            0, 2,                                                      // two entries
            0x01, 0x0F, 0, 2, 0, 0, 0, 4, 'C', 'a', 'm', 0,            // Make
            0x01, 0x12, 0, 3, 0, 0, 0, 1, uint8_t(value >> 8), uint8_t(value), 0, 0,
            0, 0, 0, 0};
}

TEST(ExifOrientationTest, ReadsTheTagAmongOthers) {
    for (uint16_t v = 1; v <= 8; ++v) EXPECT_EQ(ParseExifOrientation(Payload(v).data(), Payload(v).size()), v);
    EXPECT_EQ(ParseExifOrientation(Payload(0).data(), Payload(0).size()), 1);
    EXPECT_EQ(ParseExifOrientation(Payload(300).data(), Payload(300).size()), 1);
}

TEST(ExifOrientationTest, CutPayloadsNeverReadBeyondTheirEnd) {
    const auto full = Payload(6);
    for (size_t length = 0; length < full.size(); ++length) {
        // Each prefix is copied alone, so that a read past it is caught by the sanitizers.
        const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<ptrdiff_t>(length));
        const int got = ParseExifOrientation(cut.data(), cut.size());
        EXPECT_EQ(got, length >= 40 ? 6 : 1) << length;
    }
}

TEST(ExifOrientationTest, TurnsRastersBothWays) {
    Raster raster;
    ASSERT_TRUE(raster.Allocate(3, 2, 3));
    for (int i = 0; i < 6; ++i) raster.pixels.Data()[i * 3] = uint8_t(i);  // 0 1 2 / 3 4 5
    ASSERT_TRUE(ApplyOrientation(raster, 6));
    ASSERT_EQ(raster.width, 2);
    ASSERT_EQ(raster.height, 3);
    const uint8_t clockwise[] = {3, 0, 4, 1, 5, 2};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(raster.pixels.Data()[i * 3], clockwise[i]) << i;
    ASSERT_TRUE(ApplyOrientation(raster, 8));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(raster.pixels.Data()[i * 3], i);
    ASSERT_TRUE(ApplyOrientation(raster, 3));
    EXPECT_EQ(raster.pixels.Data()[0], 5);
    EXPECT_EQ(raster.pixels.Data()[5 * 3], 0);
}

}  // namespace
}  // namespace trackalbum
