#include "pipeline/ColumnWidths.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

TEST(ColumnWidthsTest, KeepProportionsAndFillTheWidthUnlessThereIsNoneToShare) {
    const struct {
        std::vector<int> widths;
        int clientWidth;
        std::vector<int> fitted;
    } cases[] = {
        {{100, 100, 100, 50, 50}, 800, {200, 200, 200, 100, 100}},
        {{80, 80, 80}, 100, {33, 33, 33}},  // each rounded down; the sum may fall short
        {{2000000000, 2000000000}, 30000, {15000, 15000}},  // no overflow
        {{0, 0}, 500, {0, 0}}, {{80, 40}, 0, {80, 40}}, {{}, 500, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitColumnWidths(c.widths, c.clientWidth), c.fitted) << c.widths.size() << " in " << c.clientWidth;
}

}  // namespace
}  // namespace trackalbum
