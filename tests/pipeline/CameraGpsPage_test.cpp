// The GPS/photo page's values without a window: which controls each state enables, and the
// clock spin without bounds.
#include "pipeline/CameraGpsPage.h"

#include <gtest/gtest.h>

#include <climits>

namespace trackalbum {
namespace {

TEST(CameraGpsPageTest, EachStateEnablesItsOwnControls) {
    const struct {
        const char* state;
        int clockCorrection, speedLimitOn;
        const char *gpsFile, *photoFolder;
        bool copyRunning;
        bool clock, speed, copy, paths;  // what is enabled
    } cases[] = {
        {"only the GPX file, clock correction on", 1, 0, "walk.gpx", "", false, true, false, false, true},
        {"only the photo folder, speed limit on", 0, 1, "", "photos", false, false, true, false, true},
        {"both paths", 0, 0, "walk.gpx", "photos", false, false, false, true, true},
        // A copy run holds the photo button and the paths, and nothing else.
        {"a copy running", 1, 1, "walk.gpx", "photos", true, true, true, false, false},
    };
    for (const auto& c : cases) {
        CameraGpsPage page;
        page.SetClockCorrection(c.clockCorrection), page.SetSpeedLimitOn(c.speedLimitOn);
        page.SetGpsFile(c.gpsFile), page.SetPhotoFolder(c.photoFolder), page.SetCopyRunning(c.copyRunning);
        EXPECT_EQ(page.IsClockFieldEnabled(), c.clock) << c.state;
        EXPECT_EQ(page.IsSpeedFieldEnabled(), c.speed) << c.state;
        EXPECT_EQ(page.IsCopyButtonEnabled(), c.copy) << c.state;
        EXPECT_EQ(page.ArePathControlsEnabled(), c.paths) << c.state;
    }
}

TEST(CameraGpsPageTest, ClockSpinHasNoBoundsButTheNumbersOwn) {
    // Minutes, the spin's step (the up arrow reports -1), minutes after.
    const int cases[][3] = {{0, -1, 1}, {-100000, 1, -100001}, {INT_MAX, -1, INT_MAX}, {INT_MIN, 1, INT_MIN}};
    for (const auto& [minutes, spinStep, stepped] : cases) {
        CameraGpsPage page;
        page.SetClockMinutes(minutes);
        page.StepClockMinutes(spinStep);
        EXPECT_EQ(page.GetClockMinutes(), stepped) << minutes << " " << spinStep;
    }
}

}  // namespace
}  // namespace trackalbum
