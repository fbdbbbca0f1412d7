#include "pipeline/ColumnWidths.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

TEST(ColumnWidthsTest, KeepProportionsAndFillTheWidth) {
    const std::vector<int> widths{100, 100, 100, 50, 50};
    EXPECT_EQ(FitColumnWidths(widths, 400), widths);
    EXPECT_EQ(FitColumnWidths(widths, 800), (std::vector<int>{200, 200, 200, 100, 100}));
    // Integer division rounds each column down; the sum may fall short by a few pixels.
    EXPECT_EQ(FitColumnWidths({80, 80, 80}, 100), (std::vector<int>{33, 33, 33}));
    // Wide columns on a wide list do not overflow.
    EXPECT_EQ(FitColumnWidths({2000000000, 2000000000}, 30000), (std::vector<int>{15000, 15000}));
}

TEST(ColumnWidthsTest, NoWidthToShareChangesNothing) {
    EXPECT_EQ(FitColumnWidths({0, 0}, 500), (std::vector<int>{0, 0}));
    EXPECT_EQ(FitColumnWidths({80, 40}, 0), (std::vector<int>{80, 40}));
    EXPECT_TRUE(FitColumnWidths({}, 500).empty());
}

}  // namespace
}  // namespace trackalbum
