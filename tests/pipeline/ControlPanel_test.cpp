#include "pipeline/ControlPanel.h"

#include <gtest/gtest.h>

#include <array>

#include "pipeline/ApplyDoubles.h"
#include "pipeline/BuildPageOptions.h"
#include "pipeline/ColorToHex.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

// Every setting in one line: the numbers in profile-table order, the colours as stored, the key.
std::string Summary(const MapSettings& s) {
    return FormatC("%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %06X %06X %06X %06X [%s]", s.MapType, s.Controller,
                   s.PathWidth, s.MapTypeBtn, s.AutoZoom, s.ZoomLevel, s.DisplayType, s.DisplayWidth, s.DisplayHeight,
                   s.Coloring, s.IconTrace, s.ProfWidth, s.ProfHeight, s.Scale, s.Overview, s.Japanese, s.PathColor,
                   s.UpColor, s.DownColor, s.FlatColor, s.APIKey.c_str());
}

class ControlPanelTest : public ::testing::Test {
protected:
    MapPropertyPage& Map() { return panel.GetMapPropertyPage(); }
    MemoryProfile profile;
    SettingsStore store{profile};
    ControlPanel panel;
};

TEST_F(ControlPanelTest, LoadClampsOnlyWidthZoomAndMapTypeAndSaveStoresAsTyped) {
    for (const char* key : {"ZoomLevel", "MapType", "DisplayWidth"}) store.WriteInteger(key, 5000);
    for (const char* key : {"PathWidth", "ProfHeight"}) store.WriteInteger(key, -3);
    panel.LoadSettingsToPages(store);
    EXPECT_EQ(Summary(panel.GetMapSettings()), "0 0 1 0 1 17 0 5000 100 1 1 800 -3 1 1 1 0000FF 0000FF 00FF00 FF0000 []");
    EXPECT_FALSE(Map().IsZoomFieldEnabled());

    Map().SetPathColor(MakeColor(1, 2, 171));
    Map().StoreZoomLevel(25);  // typed, not clamped
    Map().SetMapType(2);
    panel.GetApiKeyPage().SetAPIKey("key&<>\"");
    doubles::FakeDocument document;
    panel.GetCameraGpsPage().SetGpsFile("ride.gpx");
    EXPECT_TRUE(panel.SavePagesToSettings(store, document));
    EXPECT_EQ(store.GetZoomLevel(), 25);
    EXPECT_EQ(document.calls, std::vector<std::string>{"WriteComments ride.gpx"});
    ControlPanel reloaded;
    reloaded.LoadSettingsToPages(store);
    EXPECT_EQ(Summary(reloaded.GetMapSettings()),
              "2 0 1 0 1 17 0 5000 100 1 1 800 -3 1 1 1 AB0201 0000FF 00FF00 FF0000 [key&<>\"]");
}

TEST_F(ControlPanelTest, SpinsStopAtTheirEndsButClockMinutesHaveNone) {
    Map().SetZoomLevel(17);
    Map().StepZoomLevel(-1);  // the up arrow
    Map().StorePathWidth(500);  // typed beyond the range; the next step pulls it back
    Map().StepPathWidth(-1);
    EXPECT_EQ(Map().GetZoomLevel(), 17);
    EXPECT_EQ(Map().GetPathWidth(), 100);
    panel.GetCameraGpsPage().StepClockMinutes(1);
    EXPECT_EQ(panel.GetCameraGpsPage().GetClockMinutes(), -1);
}

TEST_F(ControlPanelTest, TileSettingsGoThroughTheApiKeyPageAndZoomsStayWithinWhatServicesOffer) {
    panel.LoadSettingsToPages(store);  // an empty profile: the open services
    PageOptions defaults = BuildPageOptions(panel.GetMapSettings(), {});
    EXPECT_EQ(defaults.GetTileLayers().Normal.Url, "https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png");
    EXPECT_EQ(defaults.GetTileLayers().Aerial.Attribution,
              "<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>");
    EXPECT_EQ(FormatC("%d %d %d [%s]", defaults.GetTileLayers().Normal.MaxZoom, defaults.GetTileLayers().Aerial.MaxZoom,
                      defaults.GetTileLayers().Overlay.MaxZoom, defaults.GetTileLayers().Overlay.Url.c_str()),
              "18 18 18 []");

    store.WriteInteger("NormalTileMaxZoom", 99);
    store.WriteInteger("AerialTileMaxZoom", -1);
    store.WriteString("OverlayTileUrl", "https://t.example/{z}/{x}/{y}.png?k={key}");
    store.WriteString("OverlayTileAttribution", "\"</script>\\ 地図");
    panel.LoadSettingsToPages(store);
    doubles::FakeDocument document;
    ASSERT_TRUE(panel.SavePagesToSettings(store, document));
    EXPECT_EQ(FormatC("%d %d %d", store.GetNormalTileMaxZoom(), store.GetAerialTileMaxZoom(),
                      store.GetOverlayTileMaxZoom()), "22 0 18");
    const TileLayers tiles = BuildPageOptions(panel.GetMapSettings(), {}).GetTileLayers();
    EXPECT_EQ(tiles.Overlay.Url, "https://t.example/{z}/{x}/{y}.png?k={key}");
    EXPECT_EQ(tiles.Overlay.Attribution, "\"</script>\\ 地図");
    EXPECT_EQ(tiles.Normal.MaxZoom, 22);
}

TEST_F(ControlPanelTest, TimeOffsets) {
    CameraGpsPage& page = panel.GetCameraGpsPage();
    EXPECT_EQ(panel.GetZoneSeconds(), 32400);
    page.SetTimeZoneHours(13);  // no such entry: the list reads -13
    EXPECT_EQ(panel.GetZoneSeconds(), -13 * 3600);
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(9) + CameraGpsPage::FormatTimeZone(-12), " +9-12");
    page.SetTimeZoneHours(9);
    page.SetClockMinutes(5);
    EXPECT_EQ(panel.GetPlacementOffset(), 32400);  // the correction is off
    page.SetClockCorrection(1);
    EXPECT_EQ(panel.GetPlacementOffset(), 32100);
    page.SetClockMinutes(-2147483647);  // no bounds, but no wrap-around either
    EXPECT_EQ(panel.GetPlacementOffset(), 2147483647);
}

TEST(BuildPageOptionsTest, ColoursFlagsAndSizeTexts) {
    EXPECT_EQ(ColorToHex(MakeColor(1, 2, 171)) + " " + ColorToHex(0xFFABCDEFu), "0102AB EFCDAB");
    MapSettings settings;
    for (const auto [controller, switchButtons, flags] : {std::array{1, 1, 6}, {2, 0, 1}, {0, 0, 0}, {0, 1, 4}, {9, 1, 4}}) {
        settings.Controller = controller;
        settings.MapTypeBtn = switchButtons;
        EXPECT_EQ(BuildPageOptions(settings, {}).GetControlFlags(), flags) << controller << switchButtons;
    }
    settings.UpColor = MakeColor(1, 2, 3);
    settings.DownColor = MakeColor(4, 5, 6);
    settings.ProfWidth = -5;
    PageOptions o = BuildPageOptions(settings, {});
    EXPECT_EQ(o.GetDisplayWidthText() + " " + o.GetProfWidthText() + " " + o.GetProfHeightText(), "100% -5px 600px");
    EXPECT_EQ(o.GetPathColorHex() + o.GetUpColorHex() + o.GetDownColorHex() + o.GetFlatColorHex(), "FF0000010203040506" "0000FF");
    settings.DisplayType = 1;
    EXPECT_EQ(BuildPageOptions(settings, {}).GetDisplayHeightText(), "100px");
}

}  // namespace
}  // namespace trackalbum
