#include "pipeline/BuildPageOptions.h"

#include <gtest/gtest.h>

#include "pipeline/ColorToHex.h"

namespace trackalbum {
namespace {

TEST(BuildPageOptionsTest, ColoursFlagsAndSizeTexts) {
    EXPECT_EQ(ColorToHex(MakeColor(1, 2, 171)), "0102AB");
    EXPECT_EQ(ColorToHex(0xFFABCDEFu), "EFCDAB");  // only the colour's three bytes
    MapSettings settings;
    const struct {
        int controller, switchButtons, flags;
    } controls[] = {{1, 1, 6}, {2, 0, 1}, {0, 0, 0}, {0, 1, 4}, {9, 1, 4}};
    for (const auto& c : controls) {
        settings.Controller = c.controller;
        settings.MapTypeBtn = c.switchButtons;
        EXPECT_EQ(BuildPageOptions(settings, {}).GetControlFlags(), c.flags) << c.controller << c.switchButtons;
    }
    settings.UpColor = MakeColor(1, 2, 3);
    settings.DownColor = MakeColor(4, 5, 6);
    settings.ProfWidth = -5;
    const PageOptions options = BuildPageOptions(settings, {});
    EXPECT_EQ(options.GetDisplayWidthText(), "100%");
    EXPECT_EQ(options.GetProfWidthText(), "-5px");
    EXPECT_EQ(options.GetProfHeightText(), "600px");
    EXPECT_EQ(options.GetPathColorHex(), "FF0000");
    EXPECT_EQ(options.GetUpColorHex(), "010203");
    EXPECT_EQ(options.GetDownColorHex(), "040506");
    EXPECT_EQ(options.GetFlatColorHex(), "0000FF");
    settings.DisplayType = 1;
    EXPECT_EQ(BuildPageOptions(settings, {}).GetDisplayHeightText(), "100px");
}

}  // namespace
}  // namespace trackalbum
