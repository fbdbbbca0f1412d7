#include "pipeline/BuildPageOptions.h"

#include <gtest/gtest.h>

#include "pipeline/ColorToHex.h"

namespace trackalbum {
namespace {

TEST(BuildPageOptionsTest, ColoursFlagsAndSizeTexts) {
    EXPECT_EQ(ColorToHex(0xFFABCDEFu), "EFCDAB");  // only the colour's three bytes, red first
    MapSettings settings;
    // Controller (1 large, 2 small, other none), type buttons, flags.
    for (const auto& [controller, switchButtons, flags] : {std::tuple{1, 1, 6}, {2, 0, 1}, {0, 0, 0}, {9, 1, 4}}) {
        settings.Controller = controller;
        settings.MapTypeBtn = switchButtons;
        EXPECT_EQ(BuildPageOptions(settings, {}).GetControlFlags(), flags) << controller << switchButtons;
    }
    settings.UpColor = MakeColor(1, 2, 3);
    settings.DownColor = MakeColor(4, 5, 6);
    settings.ProfWidth = -5;
    const PageOptions o = BuildPageOptions(settings, {});
    EXPECT_EQ(o.GetPathColorHex() + o.GetUpColorHex() + o.GetDownColorHex() + o.GetFlatColorHex(),
              "FF0000" "010203" "040506" "0000FF");
    EXPECT_EQ(o.GetDisplayWidthText() + o.GetProfWidthText() + o.GetProfHeightText(), "100%-5px600px");
    settings.DisplayType = 1;
    EXPECT_EQ(BuildPageOptions(settings, {}).GetDisplayHeightText(), "100px");
}

}  // namespace
}  // namespace trackalbum
