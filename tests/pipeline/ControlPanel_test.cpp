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
        int stored;
        int MapSettings::*field;
        int loaded;
    } cases[] = {
        {"ZoomLevel", 5000, &MapSettings::ZoomLevel, 17},
        {"PathWidth", -3, &MapSettings::PathWidth, 1},
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
        SettingsStore settings(fresh);
        settings.WriteInteger(c.key, c.stored);
        ControlPanel loaded;
        loaded.LoadSettingsToPages(settings);
        EXPECT_EQ(loaded.GetMapSettings().*c.field, c.loaded) << c.key << " " << c.stored;
    }
}

TEST_F(ControlPanelTest, EverySettingComesBackFromTheProfileAsThePagesHeldIt) {
    // Every value unlike its default, so that one left out of saving or loading shows.
    MapPropertyPage& map = panel.GetMapPropertyPage();
    map.SetMapType(2);
    map.SetController(1);
    map.SetPathWidth(7);
    map.SetMapTypeBtn(1);
    map.SetAutoZoom(0);
    map.SetZoomLevel(3);
    map.SetDisplayType(1);
    map.SetDisplayWidth(640);
    map.SetDisplayHeight(480);
    map.SetColoring(0);
    map.SetIconTrace(0);
    map.SetProfWidth(1024);
    map.SetProfHeight(768);
    map.SetScale(0);
    map.SetOverview(0);
    map.SetJapanese(0);
    map.SetPathColor(MakeColor(1, 2, 171));
    map.SetUpColor(MakeColor(3, 4, 5));
    map.SetDownColor(MakeColor(6, 7, 8));
    map.SetFlatColor(MakeColor(9, 10, 11));
    ApiKeyPage& key = panel.GetApiKeyPage();
    key.SetAPIKey("key&<>\"");
    key.SetAPIHost("https://maps.example.org");
    key.SetIconHost("https://icons.example.org");
    key.SetNormalTileUrl("https://n.example/{z}/{x}/{y}.png");
    key.SetNormalTileAttribution("n");
    key.SetNormalTileMaxZoom(20);
    key.SetAerialTileUrl("https://a.example/{z}/{x}/{y}.png");
    key.SetAerialTileAttribution("\"</script>\\ 地図");
    key.SetAerialTileMaxZoom(17);
    key.SetOverlayTileUrl("https://o.example/{z}/{x}/{y}.png?k={key}");
    key.SetOverlayTileAttribution("o");
    key.SetOverlayTileMaxZoom(16);
    panel.GetCameraGpsPage().SetGpsFile("ride.gpx");
    doubles::FakeDocument document;
    ASSERT_TRUE(panel.SavePagesToSettings(store, document));
    // Apply stores the comments of the run's GPX file after the settings.
    EXPECT_EQ(document.calls, std::vector<std::string>{"WriteComments ride.gpx"});

    ControlPanel reloaded;
    reloaded.LoadSettingsToPages(store);
    const MapSettings defaults;
    const MapSettings held = panel.GetMapSettings();
    const MapSettings loaded = reloaded.GetMapSettings();
    const std::pair<const char*, int MapSettings::*> numbers[] = {
        {"MapType", &MapSettings::MapType},         {"Controller", &MapSettings::Controller},
        {"PathWidth", &MapSettings::PathWidth},     {"MapTypeBtn", &MapSettings::MapTypeBtn},
        {"AutoZoom", &MapSettings::AutoZoom},       {"ZoomLevel", &MapSettings::ZoomLevel},
        {"DisplayType", &MapSettings::DisplayType}, {"DisplayWidth", &MapSettings::DisplayWidth},
        {"DisplayHeight", &MapSettings::DisplayHeight}, {"Coloring", &MapSettings::Coloring},
        {"IconTrace", &MapSettings::IconTrace},     {"ProfWidth", &MapSettings::ProfWidth},
        {"ProfHeight", &MapSettings::ProfHeight},   {"Scale", &MapSettings::Scale},
        {"Overview", &MapSettings::Overview},       {"Japanese", &MapSettings::Japanese},
        {"NormalTileMaxZoom", &MapSettings::NormalTileMaxZoom}, {"AerialTileMaxZoom", &MapSettings::AerialTileMaxZoom},
        {"OverlayTileMaxZoom", &MapSettings::OverlayTileMaxZoom},
    };
    for (const auto& [name, field] : numbers) {
        EXPECT_NE(held.*field, defaults.*field) << name << " was not taken from the page";
        EXPECT_EQ(loaded.*field, held.*field) << name;
    }
    const std::pair<const char*, Color MapSettings::*> colors[] = {{"PathColor", &MapSettings::PathColor},
                                                                   {"UpColor", &MapSettings::UpColor},
                                                                   {"DownColor", &MapSettings::DownColor},
                                                                   {"FlatColor", &MapSettings::FlatColor}};
    for (const auto& [name, field] : colors) {
        EXPECT_NE(held.*field, defaults.*field) << name << " was not taken from the page";
        EXPECT_EQ(loaded.*field, held.*field) << name;
    }
    const std::pair<const char*, std::string MapSettings::*> texts[] = {
        {"APIKey", &MapSettings::APIKey},
        {"APIHost", &MapSettings::APIHost},
        {"IconHost", &MapSettings::IconHost},
        {"NormalTileUrl", &MapSettings::NormalTileUrl},
        {"NormalTileAttribution", &MapSettings::NormalTileAttribution},
        {"AerialTileUrl", &MapSettings::AerialTileUrl},
        {"AerialTileAttribution", &MapSettings::AerialTileAttribution},
        {"OverlayTileUrl", &MapSettings::OverlayTileUrl},
        {"OverlayTileAttribution", &MapSettings::OverlayTileAttribution},
    };
    for (const auto& [name, field] : texts) {
        EXPECT_NE(held.*field, defaults.*field) << name << " was not taken from the page";
        EXPECT_EQ(loaded.*field, held.*field) << name;
    }
}

TEST_F(ControlPanelTest, ATypedZoomIsStoredAsTypedAndHeldAgainAtTheNextLoad) {
    panel.GetMapPropertyPage().StoreZoomLevel(25);
    doubles::FakeDocument document;
    ASSERT_TRUE(panel.SavePagesToSettings(store, document));
    EXPECT_EQ(store.GetZoomLevel(), 25);
    ControlPanel reloaded;
    reloaded.LoadSettingsToPages(store);
    EXPECT_EQ(reloaded.GetMapPropertyPage().GetZoomLevel(), 17);
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
