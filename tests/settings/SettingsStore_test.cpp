#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    MemoryProfile profile;
    SettingsStore store{profile};
};

TEST_F(SettingsStoreTest, EmptyProfileGivesTheDefaults) {
    MapSettings defaults;
    EXPECT_EQ(store.GetAPIKey(), "");
    EXPECT_EQ(store.GetPathColor(), MakeColor(255, 0, 0));
    EXPECT_EQ(store.GetPathWidth(), 10);
    EXPECT_EQ(store.GetMapType(), 0);
    EXPECT_EQ(store.GetMapTypeBtn(), 0);
    EXPECT_EQ(store.GetController(), 0);
    EXPECT_EQ(store.GetDisplayType(), 0);
    EXPECT_EQ(store.GetDisplayWidth(), 100);
    EXPECT_EQ(store.GetDisplayHeight(), 100);
    EXPECT_EQ(store.GetAutoZoom(), 1);
    EXPECT_EQ(store.GetZoomLevel(), 10);
    EXPECT_EQ(store.GetUpColor(), MakeColor(255, 0, 0));
    EXPECT_EQ(store.GetDownColor(), MakeColor(0, 255, 0));
    EXPECT_EQ(store.GetFlatColor(), MakeColor(0, 0, 255));
    EXPECT_EQ(store.GetColoring(), 1);
    EXPECT_EQ(store.GetIconTrace(), 1);
    EXPECT_EQ(store.GetProfWidth(), 800);
    EXPECT_EQ(store.GetProfHeight(), 600);
    EXPECT_EQ(store.GetScale(), 1);
    EXPECT_EQ(store.GetOverview(), 1);
    EXPECT_EQ(store.GetJapanese(), 1);
    EXPECT_EQ(store.GetAPIHost(), ".");
    EXPECT_EQ(store.GetIconHost(), ".");
    // The record's own defaults agree with the store's.
    EXPECT_EQ(defaults.PathColor, store.GetPathColor());
    EXPECT_EQ(defaults.DownColor, store.GetDownColor());
    EXPECT_EQ(defaults.ProfHeight, store.GetProfHeight());
}

TEST_F(SettingsStoreTest, EverythingLivesInTheParametersSection) {
    store.SetPathWidth(7);
    store.SetAPIKey("k");
    EXPECT_TRUE(profile.Contains("Parameters", "PathWidth"));
    EXPECT_TRUE(profile.Contains("Parameters", "APIKey"));
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathWidth", 0), 7);
}

TEST_F(SettingsStoreTest, ColourIsSplitIntoThreeKeysAndPackedBack) {
    store.SetPathColor(MakeColor(1, 2, 171));
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathRed", -1), 1);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathGreen", -1), 2);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "PathBlue", -1), 171);
    EXPECT_EQ(store.GetPathColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(store.GetPathColor(), 0xAB0201u);
}

TEST_F(SettingsStoreTest, ColourComponentsKeepTheirLowEightBits) {
    profile.WriteProfileInt("Parameters", "PathRed", 300);
    profile.WriteProfileInt("Parameters", "PathGreen", -1);
    EXPECT_EQ(GetRed(store.GetPathColor()), 44u);
    EXPECT_EQ(GetGreen(store.GetPathColor()), 255u);
    EXPECT_EQ(GetBlue(store.GetPathColor()), 0u);
}

TEST_F(SettingsStoreTest, EachColourHasItsOwnKeys) {
    store.SetUpColor(MakeColor(1, 1, 1));
    store.SetDownColor(MakeColor(2, 2, 2));
    store.SetFlatColor(MakeColor(3, 3, 3));
    EXPECT_EQ(profile.GetProfileInt("Parameters", "UpBlue", 0), 1);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "DownRed", 0), 2);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "FlatGreen", 0), 3);
    EXPECT_EQ(store.GetPathColor(), MakeColor(255, 0, 0));
}

TEST_F(SettingsStoreTest, StoredNumbersAreNotClampedByTheStore) {
    store.SetZoomLevel(25);
    store.SetPathWidth(0);
    EXPECT_EQ(store.GetZoomLevel(), 25);
    EXPECT_EQ(store.GetPathWidth(), 0);
}

TEST_F(SettingsStoreTest, NonNumericStoredIntegerGivesTheDefault) {
    profile.WriteProfileString("Parameters", "ZoomLevel", "lots");
    EXPECT_EQ(store.GetZoomLevel(), 10);
}

}  // namespace
}  // namespace trackalbum
