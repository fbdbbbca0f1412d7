// The panel's pages filled from the profile, stored back into it, and the run's time offsets.
#include "pipeline/ControlPanel.h"

#include <gtest/gtest.h>

#include "pipeline/ApplyDoubles.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

class ControlPanelTest : public ::testing::Test {
protected:
    MemoryProfile profile;
    SettingsStore store{profile};
    ControlPanel panel;
};

TEST_F(ControlPanelTest, LoadingHoldsTheZoomsThePathWidthAndTheMapTypeWithinTheirRanges) {
    const struct {
        const char* key;
        int stored, MapSettings::*field, loaded;
    } cases[] = {
        {"ZoomLevel", 5000, &MapSettings::ZoomLevel, 17}, {"PathWidth", -3, &MapSettings::PathWidth, 1},
        {"MapType", 5000, &MapSettings::MapType, 0},
        // A tile service offers zooms 0..22 at the most.
        {"NormalTileMaxZoom", 99, &MapSettings::NormalTileMaxZoom, 22},
        {"AerialTileMaxZoom", -1, &MapSettings::AerialTileMaxZoom, 0},
        // The others keep what was stored, however odd.
        {"DisplayWidth", 5000, &MapSettings::DisplayWidth, 5000}, {"ProfHeight", -3, &MapSettings::ProfHeight, -3},
        {"Controller", 9, &MapSettings::Controller, 9},
    };
    for (const auto& c : cases) {
        MemoryProfile fresh;
        SettingsStore(fresh).WriteInteger(c.key, c.stored);
        ControlPanel loaded;
        loaded.LoadSettingsToPages(SettingsStore(fresh));
        EXPECT_EQ(loaded.GetMapSettings().*c.field, c.loaded) << c.key << " " << c.stored;
    }
}

TEST_F(ControlPanelTest, EverySettingGoesFromTheProfileThroughThePagesAndBack) {
    // Each unlike its default, so that a setting left out anywhere shows.
    const std::pair<const char*, const char*> stored[] = {
        {"MapType", "2"}, {"Controller", "1"}, {"PathWidth", "7"}, {"MapTypeBtn", "1"}, {"AutoZoom", "0"},
        {"ZoomLevel", "3"}, {"DisplayType", "1"}, {"DisplayWidth", "640"}, {"DisplayHeight", "480"},
        {"Coloring", "0"}, {"IconTrace", "0"}, {"ProfWidth", "1024"}, {"ProfHeight", "768"}, {"Scale", "0"},
        {"Overview", "0"}, {"Japanese", "0"}, {"PathRed", "1"}, {"PathGreen", "2"}, {"PathBlue", "171"},
        {"UpRed", "3"}, {"UpGreen", "4"}, {"UpBlue", "5"}, {"DownRed", "6"}, {"DownGreen", "7"}, {"DownBlue", "8"},
        {"FlatRed", "9"}, {"FlatGreen", "10"}, {"FlatBlue", "11"}, {"APIKey", "key&<>\""},
        {"APIHost", "https://maps.example.org"}, {"IconHost", "https://icons.example.org"},
        {"NormalTileUrl", "https://n.example/{z}/{x}/{y}.png"}, {"NormalTileAttribution", "n"},
        {"NormalTileMaxZoom", "20"}, {"AerialTileUrl", "https://a.example/{z}/{x}/{y}.png"},
        {"AerialTileAttribution", "\"</script>\\ 地図"}, {"AerialTileMaxZoom", "17"},
        {"OverlayTileUrl", "https://o.example/{z}/{x}/{y}.png?k={key}"}, {"OverlayTileAttribution", "o"},
        {"OverlayTileMaxZoom", "16"},
    };
    for (const auto& [key, value] : stored) store.WriteString(key, value);
    panel.LoadSettingsToPages(store);
    MemoryProfile savedProfile;
    const SettingsStore saved(savedProfile);
    doubles::FakeDocument document;
    ASSERT_TRUE(panel.SavePagesToSettings(saved, document));
    for (const auto& [key, value] : stored) EXPECT_EQ(saved.GetString(key, "(none)"), value) << key;

    // The settings the pages are built from hold every value loaded.
    const MapSettings held = panel.GetMapSettings(), defaults;
#define EXPECT_HELD(member) EXPECT_NE(held.member, defaults.member) << #member;
    EXPECT_HELD(MapType) EXPECT_HELD(Controller) EXPECT_HELD(PathWidth) EXPECT_HELD(MapTypeBtn) EXPECT_HELD(AutoZoom)
    EXPECT_HELD(ZoomLevel) EXPECT_HELD(DisplayType) EXPECT_HELD(DisplayWidth) EXPECT_HELD(DisplayHeight)
    EXPECT_HELD(Coloring) EXPECT_HELD(IconTrace) EXPECT_HELD(ProfWidth) EXPECT_HELD(ProfHeight) EXPECT_HELD(Scale)
    EXPECT_HELD(Overview) EXPECT_HELD(Japanese) EXPECT_HELD(PathColor) EXPECT_HELD(UpColor) EXPECT_HELD(DownColor)
    EXPECT_HELD(FlatColor) EXPECT_HELD(APIKey) EXPECT_HELD(APIHost) EXPECT_HELD(IconHost) EXPECT_HELD(NormalTileUrl)
    EXPECT_HELD(NormalTileAttribution) EXPECT_HELD(NormalTileMaxZoom) EXPECT_HELD(AerialTileUrl)
    EXPECT_HELD(AerialTileAttribution) EXPECT_HELD(AerialTileMaxZoom) EXPECT_HELD(OverlayTileUrl)
    EXPECT_HELD(OverlayTileAttribution) EXPECT_HELD(OverlayTileMaxZoom)
#undef EXPECT_HELD
}

TEST_F(ControlPanelTest, TimeOffsets) {
    CameraGpsPage& page = panel.GetCameraGpsPage();
    EXPECT_EQ(panel.GetZoneSeconds(), 32400);
    page.SetTimeZoneHours(13);  // no such entry: the list reads -13
    EXPECT_EQ(panel.GetZoneSeconds(), -13 * 3600);
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(9), " +9");
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(-12), "-12");
    page.SetTimeZoneHours(9);
    page.SetClockMinutes(5);
    EXPECT_EQ(panel.GetPlacementOffset(), 32400);  // the correction is off
    page.SetClockCorrection(1);
    EXPECT_EQ(panel.GetPlacementOffset(), 32100);
    page.SetClockMinutes(-2147483647);  // no bounds, but no wrap-around either
    EXPECT_EQ(panel.GetPlacementOffset(), 2147483647);
}

}  // namespace
}  // namespace trackalbum
