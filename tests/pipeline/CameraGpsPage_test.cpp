// The GPS/photo page's values without a window: which controls each state enables, and the
// clock spin without bounds.
#include "pipeline/CameraGpsPage.h"

#include <gtest/gtest.h>

#include <climits>

namespace trackalbum {
namespace {

TEST(CameraGpsPageTest, EachStateEnablesItsOwnControls) {
    struct Case {
        const char* state;
        int clockCorrection;
        int speedLimitOn;
        const char* gpsFile;
        const char* photoFolder;
        bool copyRunning;
        bool clock, speed, copy, paths;  // what is enabled
    };
    const Case cases[] = {
        {"a new page", 0, 0, "", "", false, false, false, false, true},
        {"clock correction on", 1, 0, "", "", false, true, false, false, true},
        {"speed limit on", 0, 1, "", "", false, false, true, false, true},
        {"only the GPX file", 0, 0, "walk.gpx", "", false, false, false, false, true},
        {"only the photo folder", 0, 0, "", "photos", false, false, false, false, true},
        {"both paths", 0, 0, "walk.gpx", "photos", false, false, false, true, true},
        // A copy run holds the photo button and the paths, and nothing else.
        {"a copy running", 1, 1, "walk.gpx", "photos", true, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        CameraGpsPage page;
        page.SetClockCorrection(c.clockCorrection);
        page.SetSpeedLimitOn(c.speedLimitOn);
        page.SetGpsFile(c.gpsFile);
        page.SetPhotoFolder(c.photoFolder);
        page.SetCopyRunning(c.copyRunning);
        EXPECT_EQ(page.IsClockFieldEnabled(), c.clock);
        EXPECT_EQ(page.IsSpeedFieldEnabled(), c.speed);
        EXPECT_EQ(page.IsCopyButtonEnabled(), c.copy);
        EXPECT_EQ(page.ArePathControlsEnabled(), c.paths);
    }
}

TEST(CameraGpsPageTest, ClockSpinHasNoBoundsButTheNumbersOwn) {
    const struct {
        int minutes;
        int spinStep;  // the up arrow reports -1
        int stepped;
    } cases[] = {{0, -1, 1}, {0, 1, -1}, {-100000, 1, -100001}, {INT_MAX, -1, INT_MAX}, {INT_MIN, 1, INT_MIN}};
    for (const auto& c : cases) {
        CameraGpsPage page;
        page.SetClockMinutes(c.minutes);
        page.StepClockMinutes(c.spinStep);
        EXPECT_EQ(page.GetClockMinutes(), c.stepped) << c.minutes << " " << c.spinStep;
    }
}

}  // namespace
}  // namespace trackalbum
