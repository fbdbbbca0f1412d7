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
    const struct {
        int autoZoom, coloring;
        bool zoomField, gradeColors;
    } cases[] = {{1, 1, false, true}, {0, 1, true, true}, {1, 0, false, false}, {0, 0, true, false}};
    for (const auto& c : cases) {
        MapPropertyPage page;
        page.SetAutoZoom(c.autoZoom);
        page.SetColoring(c.coloring);
        EXPECT_EQ(page.IsZoomFieldEnabled(), c.zoomField) << c.autoZoom << c.coloring;
        EXPECT_EQ(page.AreGradeColorsEnabled(), c.gradeColors) << c.autoZoom << c.coloring;
    }
}

TEST(MapPropertyPageTest, SpinsStopAtTheEndsAndPullATypedValueBackIntoRange) {
    struct Case {
        int typed;     // kept as typed until a spin steps it
        int spinStep;  // the up arrow reports -1
        int stepped;
    };
    for (const Case& c : {Case{5, -1, 6}, {17, -1, 17}, {1, 1, 1}, {25, 1, 17}, {INT_MAX, -1, 17}}) {
        MapPropertyPage page;
        page.StoreZoomLevel(c.typed);
        EXPECT_EQ(page.GetZoomLevel(), c.typed);
        page.StepZoomLevel(c.spinStep);
        EXPECT_EQ(page.GetZoomLevel(), c.stepped) << "zoom " << c.typed << " " << c.spinStep;
    }
    for (const Case& c : {Case{50, -1, 51}, {100, -1, 100}, {500, -1, 100}, {1, 1, 1}, {INT_MIN, 1, 1}}) {
        MapPropertyPage page;
        page.StorePathWidth(c.typed);
        EXPECT_EQ(page.GetPathWidth(), c.typed);
        page.StepPathWidth(c.spinStep);
        EXPECT_EQ(page.GetPathWidth(), c.stepped) << "width " << c.typed << " " << c.spinStep;
    }
}

}  // namespace
}  // namespace trackalbum
