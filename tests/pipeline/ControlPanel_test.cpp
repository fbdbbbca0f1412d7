#include "pipeline/ControlPanel.h"

#include <gtest/gtest.h>

#include "pipeline/ApplyDoubles.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

class ControlPanelTest : public ::testing::Test {
protected:
    void Store(const char* key, int value) { profile.WriteProfileInt("Parameters", key, value); }
    MapPropertyPage& Map() { return panel.GetMapPropertyPage(); }

    MemoryProfile profile;
    SettingsStore store{profile};
    ControlPanel panel;
    doubles::FakeDocument document;
};

TEST_F(ControlPanelTest, FirstStartShowsTheDefaults) {
    panel.LoadSettingsToPages(store);
    EXPECT_EQ(MapPropertyPage::GetMapTypeName(Map().GetMapType()), std::string("地図"));
    EXPECT_EQ(Map().GetController(), 0);
    EXPECT_EQ(Map().GetPathWidth(), 10);
    EXPECT_EQ(Map().GetPathColor(), MakeColor(255, 0, 0));
    EXPECT_EQ(Map().GetAutoZoom(), 1);
    EXPECT_EQ(Map().GetZoomLevel(), 10);
    EXPECT_FALSE(Map().IsZoomFieldEnabled());
    EXPECT_EQ(Map().GetDisplayType(), 0);
    EXPECT_EQ(Map().GetDisplayWidth(), 100);
    EXPECT_TRUE(Map().AreGradeColorsEnabled());
    EXPECT_EQ(Map().GetProfWidth(), 800);
    EXPECT_EQ(Map().GetProfHeight(), 600);
    EXPECT_EQ(panel.GetApiKeyPage().GetAPIKey(), "");
    EXPECT_EQ(panel.GetApiKeyPage().GetAPIHost(), ".");
    EXPECT_EQ(panel.GetCameraGpsPage().GetTimeZoneHours(), 9);
    EXPECT_EQ(panel.GetZoneSeconds(), 32400);
}

TEST_F(ControlPanelTest, StoredValuesOutOfRangeAreClampedWhenLoaded) {
    Store("ZoomLevel", 25);
    Store("PathWidth", 0);
    Store("MapType", 7);
    Store("PathRed", 300);
    Store("DisplayWidth", 5000);  // sizes are taken as stored
    Store("ProfHeight", -3);
    panel.LoadSettingsToPages(store);
    EXPECT_EQ(Map().GetZoomLevel(), 17);
    EXPECT_EQ(Map().GetPathWidth(), 1);
    EXPECT_EQ(Map().GetMapType(), 0);
    EXPECT_EQ(GetRed(Map().GetPathColor()), 44u);
    EXPECT_EQ(Map().GetDisplayWidth(), 5000);
    EXPECT_EQ(Map().GetProfHeight(), -3);

    panel.SavePagesToSettings(store, document);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "MapType", -1), 0);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "ZoomLevel", -1), 17);
}

TEST_F(ControlPanelTest, MapTypeOfTwoSelectsMapWithPhoto) {
    Store("MapType", 2);
    panel.LoadSettingsToPages(store);
    EXPECT_EQ(MapPropertyPage::GetMapTypeName(Map().GetMapType()), std::string("地図+写真"));
}

TEST_F(ControlPanelTest, SaveWritesEveryPageValueAndThenTheComments) {
    Map().SetPathColor(MakeColor(1, 2, 171));
    Map().StoreZoomLevel(25);  // typed, not clamped
    Map().SetController(2);
    panel.GetApiKeyPage().SetAPIKey("key&<>\"");
    panel.GetApiKeyPage().SetIconHost("https://icons.example.org");
    panel.GetCameraGpsPage().SetGpsFile("ride.gpx");
    EXPECT_TRUE(panel.SavePagesToSettings(store, document));

    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathRed", -1), 1);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathGreen", -1), 2);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathBlue", -1), 171);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "ZoomLevel", -1), 25);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "Controller", -1), 2);
    EXPECT_EQ(profile.GetProfileString("Parameters", "APIKey", ""), "key&<>\"");
    EXPECT_EQ(profile.GetProfileString("Parameters", "IconHost", ""), "https://icons.example.org");
    EXPECT_EQ(document.calls.back(), "WriteComments ride.gpx");

    ControlPanel reloaded;
    reloaded.LoadSettingsToPages(store);
    EXPECT_EQ(reloaded.GetMapSettings().PathColor, MakeColor(1, 2, 171));
    EXPECT_EQ(reloaded.GetMapSettings().ZoomLevel, 17);  // the load clamps
    EXPECT_EQ(reloaded.GetMapSettings().IconHost, "https://icons.example.org");
}

TEST_F(ControlPanelTest, SpinsClampAtTheirEndsButClockMinutesHaveNone) {
    Map().SetZoomLevel(17);
    Map().StepZoomLevel(-1);
    EXPECT_EQ(Map().GetZoomLevel(), 17);
    Map().SetZoomLevel(1);
    Map().StepZoomLevel(1);
    EXPECT_EQ(Map().GetZoomLevel(), 1);
    Map().SetPathWidth(100);
    Map().StepPathWidth(-1);
    EXPECT_EQ(Map().GetPathWidth(), 100);
    Map().StorePathWidth(500);  // typed beyond the range; the next spin step pulls it back
    Map().StepPathWidth(-1);
    EXPECT_EQ(Map().GetPathWidth(), 100);

    CameraGpsPage& page = panel.GetCameraGpsPage();
    page.StepClockMinutes(-1);
    EXPECT_EQ(page.GetClockMinutes(), 1);
    page.StepClockMinutes(1);
    page.StepClockMinutes(1);
    EXPECT_EQ(page.GetClockMinutes(), -1);
}

TEST_F(ControlPanelTest, TimeZoneOutsideTheListReadsAsMinusThirteen) {
    CameraGpsPage& page = panel.GetCameraGpsPage();
    page.SetTimeZoneHours(-12);
    EXPECT_EQ(panel.GetZoneSeconds(), -43200);
    page.SetTimeZoneHours(12);
    EXPECT_EQ(panel.GetZoneSeconds(), 43200);
    page.SetTimeZoneHours(13);
    EXPECT_EQ(page.GetTimeZoneHours(), -13);
    EXPECT_EQ(panel.GetZoneSeconds(), -13 * 3600);
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(9), " +9");
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(-12), "-12");
    EXPECT_EQ(CameraGpsPage::FormatTimeZone(0), " +0");
}

TEST_F(ControlPanelTest, ClockSecondsCountOnlyWithTheCorrectionOn) {
    CameraGpsPage& page = panel.GetCameraGpsPage();
    page.SetClockMinutes(5);
    EXPECT_EQ(panel.GetClockSeconds(), 0);
    EXPECT_EQ(panel.GetPlacementOffset(), 32400);
    page.SetClockCorrection(1);
    EXPECT_EQ(panel.GetClockSeconds(), 300);
    EXPECT_EQ(panel.GetPlacementOffset(), 32100);
    page.SetClockMinutes(-2147483647);  // no bounds, but no wrap-around either
    EXPECT_EQ(panel.GetClockSeconds(), -2147483647 - 1);
    EXPECT_EQ(panel.GetPlacementOffset(), 2147483647);
}

TEST_F(ControlPanelTest, CopyButtonRules) {
    CameraGpsPage& page = panel.GetCameraGpsPage();
    page.SetGpsFile("a.gpx");
    EXPECT_FALSE(page.IsCopyButtonEnabled());
    page.SetPhotoFolder("/p");
    EXPECT_TRUE(page.IsCopyButtonEnabled());
    EXPECT_EQ(page.GetCopyButtonCaption(false), "画像縮小");
    page.SetKeepOriginalSize(1);
    EXPECT_EQ(page.GetCopyButtonCaption(false), "コピー");
    EXPECT_EQ(page.GetCopyButtonCaption(true), "コピー中…");
}

}  // namespace
}  // namespace trackalbum
