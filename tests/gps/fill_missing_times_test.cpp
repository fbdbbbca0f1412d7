// Points a GPX file leaves without a time: filled from the timed points around them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"
#include "platform/CFormat.h"
#include "support/CorpusTest.h"
#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

using Times = std::vector<int64_t>;

// A point on the meridian 139°E: 0.001° of latitude is about 111.33 m. `seconds` < 0 leaves
// the time out; otherwise it counts from 1970-01-01 00:00:00 (read as UTC here).
std::string Point(double latitude, int seconds = -1, double elevation = 0.0) {
    const std::string time =
        seconds < 0 ? "" : FormatC("<time>1970-01-01T%02d:%02d:%02dZ</time>", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return FormatC("<trkpt lat=\"%f\" lon=\"139\"><ele>%f</ele>", latitude, elevation) + time + "</trkpt>";
}

std::string Gpx(const std::vector<std::string>& points) {
    std::string body = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>";
    for (const std::string& p : points) body += p;
    return body + "</trkseg></trk></gpx>";
}

class FillMissingTimesTest : public ::testing::Test {
protected:
    // The times after reading and filling, in track order.
    Times Filled(const std::vector<std::string>& points) {
        EXPECT_EQ(ReadGpxText(track_, Gpx(points)).code, 0u);
        track_.FillMissingTimes();
        Times times;
        for (const GpsPoint& p : track_) times.push_back(p.GetTime().GetTime());
        return times;
    }

    test::ScopedTimeZone zone_{"UTC"};
    GpsTrack track_;
};

TEST_F(FillMissingTimesTest, GapsTakeTheirShareOfTimeByDistanceTruncatedTowardZero) {
    const struct { const char* why; std::vector<std::string> points; Times times; } cases[] = {
        {"equal legs over 101 s, 50.5 s cut; a first time of 0 still counts as given",
         {Point(35.000, 0), Point(35.001), Point(35.002, 101)}, {0, 50, 101}},
        {"a quarter of the distance over 102 s", {Point(35.000, 0), Point(35.001), Point(35.004, 102)}, {0, 25, 102}},
        {"times going back: -50.5 s cut toward zero", {Point(35.000, 101), Point(35.001), Point(35.002, 0)}, {101, 51, 0}},
        {"two in a row", {Point(35.000, 0), Point(35.001), Point(35.002), Point(35.003, 100)}, {0, 33, 66, 100}},
        {"a climb on the spot counts as distance",
         {Point(35.0, 0, 100.0), Point(35.0, -1, 130.0), Point(35.0, -1, 140.0), Point(35.0, 40, 140.0)}, {0, 30, 40, 40}},
        {"each gap has its own pair of timed points",
         {Point(35.000, 0), Point(35.001), Point(35.002, 11), Point(35.003), Point(35.004, 1012)}, {0, 5, 11, 511, 1012}},
        {"before the first and after the last timed point: its time",
         {Point(35.000), Point(35.001), Point(35.002, 60), Point(35.003, 90), Point(35.004)}, {60, 60, 60, 90, 90}},
        {"nothing moves in the gap: the earlier time", {Point(35.0, 0), Point(35.0), Point(35.0), Point(35.0, 60)}, {0, 0, 0, 60}},
        {"a point on the spot of the one before covers no distance",
         {Point(35.000, 0), Point(35.000), Point(35.001), Point(35.001), Point(35.002, 61)}, {0, 0, 30, 30, 61}},
        {"no time at all", {Point(35.000), Point(35.001), Point(35.002)}, {0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(Filled(c.points), c.times) << c.why;

    // A single timed point gives every point its time: the track spans no time at all.
    EXPECT_EQ(Filled({Point(35.000), Point(35.001, 3600), Point(35.002)}), (Times{3600, 3600, 3600}));
    track_.Analyse(false, 0.0);
    EXPECT_FALSE(track_.HasTime());
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 0);
    EXPECT_EQ(Filled({}), Times{});
}

TEST_F(FillMissingTimesTest, AbsurdElevationsKeepTheTimeInsideTheGap) {
    // The legs' lengths overflow to infinity; the filled times still lie between the timed ones.
    const Times times = Filled({Point(35.0, 0, -1e308), Point(35.0, -1, 1e308), Point(35.0, -1, -1e308), Point(35.0, 100, 1e308)});
    ASSERT_EQ(times.size(), 4u);
    for (int64_t t : times) EXPECT_TRUE(t >= 0 && t <= 100) << t;
}

TEST_F(FillMissingTimesTest, LoadingFillsTheGapsBeforeTheAnalysis) {
    const test::ScratchFolder folder;
    test::WriteFile(folder / "gaps.gpx", Gpx({Point(35.000, 1000), Point(35.001), Point(35.002, 1101)}));
    test::RecordingHost host;
    LoadGpx(track_, folder / "gaps.gpx", false, 0.0, host);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Times({track_.GetHead().GetTime().GetTime(), std::next(track_.begin())->GetTime().GetTime()}),
              (Times{1000, 1050}));
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 101);
    EXPECT_GT(track_.GetMaxSpeed(), 0.0);
}

// Real logs with points left without a time. Each total is the time between the first and the
// last timed point, in file order: points before and after them take their times.
using CorpusFillTest = test::CorpusTest;

TEST_F(CorpusFillTest, TracksWithUntimedPointsGetTotalsSpeedsAndPlayerPositions) {
    const test::ScopedTimeZone zone("UTC");
    const struct { const char* file; int64_t total; } cases[] = {
        // 52 timed points, 17:06:21.25 to 18:52:56.98 (fractions dropped), then 12 without a time.
        {"gpsbabel__fitwrite-track.gpx", 6395},
        {"gpxpy__cerknicko-jezero-without-elevations.gpx", 7176},  // 295 timed, 14:23:59 to 16:23:35, one without
        {"gpxpy__korita-zbevnica.gpx", 13381},  // 358 without a time, then 513 timed, 09:36:30 to 13:19:31
        // 23 untimed, 05:24:05, 4 untimed, 05:30:00, 2 untimed, 05:31:00, 13 untimed, 05:35:00.
        {"gpsbabel__segmented_tracks.gpx", 655},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        GpsTrack track;
        test::RecordingHost host;
        LoadGpx(track, (Corpus() / "gpx" / c.file).string(), false, 0.0, host);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(track.GetTotalTime().GetTotalSeconds(), c.total);
        EXPECT_TRUE(track.HasTime());
        EXPECT_GT(track.GetMaxSpeed(), 0.0);
        EXPECT_GT(track.GetMovingTime().GetTotalSeconds(), 0);
        // The player's positions, whose times never go back (the timed points of these files never do).
        Times times;
        for (const GpsPoint& p : track) times.push_back(p.GetTime().GetTime() - track.GetHead().GetTime().GetTime());
        EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
        GpsPointList positions;
        positions.ResampleByTime(static_cast<int32_t>(std::max<int64_t>(track.GetPlayerStep(), 1)), track);
        EXPECT_GE(positions.GetCount(), 100u);
        if (c.total == 655) {  // segmented: the leading points take the first time; the last has its own
            ASSERT_EQ(times.size(), 46u);
            EXPECT_EQ(Times({times[22], times[28], times[45]}), (Times{0, 355, 655}));
        }
    }
}

}  // namespace
}  // namespace trackalbum
