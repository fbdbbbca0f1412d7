#include "pipeline/BuildPageOptions.h"

#include <gtest/gtest.h>

#include "pipeline/ColorToHex.h"

namespace trackalbum {
namespace {

class BuildPageOptionsTest : public ::testing::Test {
protected:
    PageOptions Build() { return BuildPageOptions(settings, run); }
    MapSettings settings;
    RunOptions run;
};

TEST(ColorToHexTest, RedFirstUpperCase) {
    EXPECT_EQ(ColorToHex(MakeColor(255, 0, 0)), "FF0000");
    EXPECT_EQ(ColorToHex(MakeColor(1, 2, 171)), "0102AB");
    EXPECT_EQ(ColorToHex(0xFFABCDEFu), "EFCDAB");  // the top byte is not a colour
}

TEST_F(BuildPageOptionsTest, ControlFlagsCombineSwitchButtonsAndController) {
    settings.Controller = 1;
    settings.MapTypeBtn = 1;
    EXPECT_EQ(Build().GetControlFlags(), 6);
    settings.Controller = 2;
    settings.MapTypeBtn = 0;
    EXPECT_EQ(Build().GetControlFlags(), 1);
    settings.Controller = 0;
    EXPECT_EQ(Build().GetControlFlags(), 0);
    settings.MapTypeBtn = 1;
    EXPECT_EQ(Build().GetControlFlags(), 4);
    settings.Controller = 9;  // no such controller: none
    EXPECT_EQ(Build().GetControlFlags(), 4);
}

TEST_F(BuildPageOptionsTest, DisplaySizeInPercentOrPixels) {
    EXPECT_EQ(Build().GetDisplayWidthText(), "100%");
    settings.DisplayType = 1;
    settings.DisplayWidth = 640;
    settings.DisplayHeight = 480;
    EXPECT_EQ(Build().GetDisplayWidthText(), "640px");
    EXPECT_EQ(Build().GetDisplayHeightText(), "480px");
    settings.ProfWidth = -5;
    EXPECT_EQ(Build().GetProfWidthText(), "-5px");
    EXPECT_EQ(Build().GetProfHeightText(), "600px");
}

TEST_F(BuildPageOptionsTest, FieldsComeFromTheirSources) {
    run.PageName = "里山さんぽ";
    run.GpsFile = "/data/ride.gpx";
    run.KeepOriginalSize = 1;
    settings.APIKey = "abc";
    settings.UpColor = MakeColor(1, 2, 3);
    settings.DownColor = MakeColor(4, 5, 6);
    settings.FlatColor = MakeColor(7, 8, 9);
    settings.AutoZoom = 0;
    settings.ZoomLevel = 13;
    settings.MapType = 2;
    settings.Coloring = 0;
    settings.Japanese = 0;
    settings.APIHost = "https://maps.example.org";
    PageOptions options = Build();
    EXPECT_EQ(options.GetPageName(), "里山さんぽ");
    EXPECT_EQ(options.GetGpsFile(), "/data/ride.gpx");
    EXPECT_EQ(options.GetKeepOriginalSize(), 1);
    EXPECT_EQ(options.GetAPIKey(), "abc");
    EXPECT_EQ(options.GetPathColorHex(), "FF0000");
    EXPECT_EQ(options.GetPathWidth(), 10);
    EXPECT_EQ(options.GetUpColorHex(), "010203");
    EXPECT_EQ(options.GetDownColorHex(), "040506");
    EXPECT_EQ(options.GetFlatColorHex(), "070809");
    EXPECT_EQ(options.GetAutoZoom(), 0);
    EXPECT_EQ(options.GetZoomLevel(), 13);
    EXPECT_EQ(options.GetMapType(), 2);
    EXPECT_EQ(options.GetColoring(), 0);
    EXPECT_EQ(options.GetIconTrace(), 1);
    EXPECT_EQ(options.GetScale(), 1);
    EXPECT_EQ(options.GetOverview(), 1);
    EXPECT_EQ(options.GetJapanese(), 0);
    EXPECT_EQ(options.GetAPIHost(), "https://maps.example.org");
    EXPECT_EQ(options.GetIconHost(), ".");
}

}  // namespace
}  // namespace trackalbum
