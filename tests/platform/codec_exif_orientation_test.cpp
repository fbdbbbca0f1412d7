#include <gtest/gtest.h>

#include <algorithm>
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

// Places the stored picture 0 1 2 / 3 4 5 (3 x 2, one value a pixel in red) as a decoder
// would, row by row, and reads the upright result row by row.
std::vector<int> Placed(int orientation) {
    const uint8_t stored[2][9] = {{0, 0, 0, 1, 0, 0, 2, 0, 0}, {3, 0, 0, 4, 0, 0, 5, 0, 0}};
    const bool turned = orientation >= 5;
    Raster upright;
    EXPECT_TRUE(upright.Allocate(turned ? 2 : 3, turned ? 3 : 2, 3));
    UprightPlacer placer(upright, orientation);
    if (placer.NeedsScratch()) {
        placer.Place(0, 1, stored[0], 9);
        placer.Place(1, 1, stored[1], 9);
    } else {
        for (int y = 0; y < 2; ++y) {
            std::copy(stored[y], stored[y] + 9, placer.TargetRow(y));
            placer.FinishRow(y);
        }
    }
    std::vector<int> values;
    for (size_t i = 0; i < 6; ++i) values.push_back(upright.pixels.Data()[i * 3]);
    return values;
}

TEST(UprightPlacerTest, PlacesRowsForEveryOrientation) {
    EXPECT_EQ(Placed(1), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Placed(2), (std::vector<int>{2, 1, 0, 5, 4, 3}));
    EXPECT_EQ(Placed(3), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Placed(4), (std::vector<int>{3, 4, 5, 0, 1, 2}));
    EXPECT_EQ(Placed(5), (std::vector<int>{0, 3, 1, 4, 2, 5}));
    EXPECT_EQ(Placed(6), (std::vector<int>{3, 0, 4, 1, 5, 2}));
    EXPECT_EQ(Placed(7), (std::vector<int>{5, 2, 4, 1, 3, 0}));
    EXPECT_EQ(Placed(8), (std::vector<int>{2, 5, 1, 4, 0, 3}));
}

}  // namespace
}  // namespace trackalbum
