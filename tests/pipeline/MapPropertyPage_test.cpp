// The map settings page's values without a window: the enabling rules, and the spins with
// the values typed beyond their ends.
#include "pipeline/MapPropertyPage.h"

#include <gtest/gtest.h>

#include <climits>

namespace trackalbum {
namespace {

TEST(MapPropertyPageTest, AutoZoomAndColoringEnableTheirControls) {
    const MapPropertyPage fresh;
    EXPECT_FALSE(fresh.IsZoomFieldEnabled());  // "おまかせ" is on until the profile says otherwise
    EXPECT_TRUE(fresh.AreGradeColorsEnabled());
    for (const int autoZoom : {0, 1}) {
        MapPropertyPage page;
        page.SetAutoZoom(autoZoom), page.SetColoring(!autoZoom);  // each rule must follow its own box
        EXPECT_EQ(page.IsZoomFieldEnabled(), !autoZoom) << autoZoom;
        EXPECT_EQ(page.AreGradeColorsEnabled(), !autoZoom) << autoZoom;
    }
}

TEST(MapPropertyPageTest, SpinsStopAtTheEndsAndPullATypedValueBackIntoRange) {
    // Typed (kept as typed until a spin steps it), the spin's step (up is -1), value after.
    const int zooms[][3] = {{5, -1, 6}, {17, -1, 17}, {1, 1, 1}, {25, 1, 17}, {INT_MAX, -1, 17}};
    for (const auto& [typed, spinStep, stepped] : zooms) {
        MapPropertyPage page;
        page.StoreZoomLevel(typed);
        EXPECT_EQ(page.GetZoomLevel(), typed);
        page.StepZoomLevel(spinStep);
        EXPECT_EQ(page.GetZoomLevel(), stepped) << "zoom " << typed << " " << spinStep;
    }
    const int widths[][3] = {{50, -1, 51}, {100, -1, 100}, {500, -1, 100}, {1, 1, 1}, {INT_MIN, 1, 1}};
    for (const auto& [typed, spinStep, stepped] : widths) {
        MapPropertyPage page;
        page.StorePathWidth(typed);
        EXPECT_EQ(page.GetPathWidth(), typed);
        page.StepPathWidth(spinStep);
        EXPECT_EQ(page.GetPathWidth(), stepped) << "width " << typed << " " << spinStep;
    }
}

}  // namespace
}  // namespace trackalbum
