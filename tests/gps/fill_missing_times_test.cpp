// Points a GPX file leaves without a time: filled from the timed points around them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"
#include "photos/Placement.h"
#include "support/CorpusTest.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

struct SilentHost : MessageHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// A point on the meridian 139°E: 0.001° of latitude is about 111.33 m. `seconds` < 0 leaves
// the time out; otherwise it counts from 1970-01-01 00:00:00 (read as UTC here).
std::string Point(double latitude, int seconds = -1, double elevation = 0.0) {
    std::string point = "<trkpt lat=\"" + std::to_string(latitude) + "\" lon=\"139\"><ele>" +
                        std::to_string(elevation) + "</ele>";
    if (seconds >= 0) {
        char time[32];
        std::snprintf(time, sizeof time, "1970-01-01T%02d:%02d:%02dZ", seconds / 3600, seconds / 60 % 60, seconds % 60);
        point += std::string("<time>") + time + "</time>";
    }
    return point + "</trkpt>";
}

std::string Gpx(const std::vector<std::string>& points) {
    std::string body = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>";
    for (const std::string& p : points) body += p;
    return body + "</trkseg></trk></gpx>";
}

class FillMissingTimesTest : public ::testing::Test {
protected:
    // The times after reading and filling, in track order.
    std::vector<int64_t> Filled(const std::vector<std::string>& points) {
        EXPECT_EQ(ReadGpxText(track_, Gpx(points)).code, 0u);
        track_.FillMissingTimes();
        std::vector<int64_t> times;
        for (const GpsPoint& p : track_) times.push_back(p.GetTime().GetTime());
        return times;
    }
    using Times = std::vector<int64_t>;

    test::ScopedTimeZone zone_{"UTC"};
    GpsTrack track_;
};

TEST_F(FillMissingTimesTest, GapsTakeTheirShareOfTimeByDistanceTruncatedTowardZero) {
    // Equal legs over 101 s: 50.5 s is cut to 50. The first time is 0, which still counts as given.
    EXPECT_EQ(Filled({Point(35.000, 0), Point(35.001), Point(35.002, 101)}), (Times{0, 50, 101}));
    // A quarter of the distance over 102 s: 25.5 s, cut to 25.
    EXPECT_EQ(Filled({Point(35.000, 0), Point(35.001), Point(35.004, 102)}), (Times{0, 25, 102}));
    // Times going back: -50.5 s is cut toward zero, to -50.
    EXPECT_EQ(Filled({Point(35.000, 101), Point(35.001), Point(35.002, 0)}), (Times{101, 51, 0}));
    // Two in a row: a third and two thirds of 100 s.
    EXPECT_EQ(Filled({Point(35.000, 0), Point(35.001), Point(35.002), Point(35.003, 100)}), (Times{0, 33, 66, 100}));
    // The legs are measured in three dimensions: a climb on the spot counts as distance.
    EXPECT_EQ(Filled({Point(35.0, 0, 100.0), Point(35.0, -1, 130.0), Point(35.0, -1, 140.0), Point(35.0, 40, 140.0)}),
              (Times{0, 30, 40, 40}));
    // Several gaps: each has its own pair of timed points.
    EXPECT_EQ(Filled({Point(35.000, 0), Point(35.001), Point(35.002, 11), Point(35.003), Point(35.004, 1012)}),
              (Times{0, 5, 11, 511, 1012}));
}

TEST_F(FillMissingTimesTest, PointsBeforeTheFirstAndAfterTheLastTimedPointTakeItsTime) {
    EXPECT_EQ(Filled({Point(35.000), Point(35.001), Point(35.002, 60), Point(35.003, 90), Point(35.004)}),
              (Times{60, 60, 60, 90, 90}));
    // A single timed point gives every point its time: the track spans no time at all.
    EXPECT_EQ(Filled({Point(35.000), Point(35.001, 3600), Point(35.002)}), (Times{3600, 3600, 3600}));
    track_.Analyse(false, 0.0);
    EXPECT_FALSE(track_.HasTime());
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 0);
}

TEST_F(FillMissingTimesTest, CoincidentPointsInAGapKeepTheEarlierTime) {
    // Nothing moves between the timed points (D = 0): no share of the time can be worked out.
    EXPECT_EQ(Filled({Point(35.0, 0), Point(35.0), Point(35.0), Point(35.0, 60)}), (Times{0, 0, 0, 60}));
    // A point on the spot of the one before covers no distance; the next one does.
    EXPECT_EQ(Filled({Point(35.000, 0), Point(35.000), Point(35.001), Point(35.001), Point(35.002, 61)}),
              (Times{0, 0, 30, 30, 61}));
}

TEST_F(FillMissingTimesTest, TracksWithoutAnyTimeStayAsTheyAre) {
    EXPECT_EQ(Filled({Point(35.000), Point(35.001), Point(35.002)}), (Times{0, 0, 0}));
    track_.Analyse(false, 0.0);
    EXPECT_FALSE(track_.HasTime());
    EXPECT_GT(track_.GetTotalDistance(), 200.0);
    track_.Clear();
    track_.FillMissingTimes();  // an empty track
    EXPECT_TRUE(track_.IsEmpty());
}

TEST_F(FillMissingTimesTest, AbsurdElevationsKeepTheTimeInsideTheGap) {
    // The legs' lengths overflow to infinity; the filled times still lie between the timed ones.
    const Times times = Filled({Point(35.0, 0, -1e308), Point(35.0, -1, 1e308), Point(35.0, -1, -1e308),
                                Point(35.0, 100, 1e308)});
    ASSERT_EQ(times.size(), 4u);
    for (int64_t t : times) EXPECT_TRUE(t >= 0 && t <= 100) << t;
}

TEST_F(FillMissingTimesTest, LoadingFillsTheGapsSoThatPhotosArePlacedInside) {
    const fs::path path = fs::temp_directory_path() / ("ta-fill-" + std::to_string(::getpid()) + ".gpx");
    std::ofstream(path) << Gpx({Point(35.000, 1000), Point(35.001), Point(35.002, 1101)});
    SilentHost host;
    LoadGpx(track_, path.string(), false, 0.0, host);
    fs::remove(path);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 101);
    EXPECT_GT(track_.GetMaxSpeed(), 0.0);

    // The middle point is reached at 1050 s: a photo at 1025 s lies halfway to it.
    for (const auto& [taken, latitude] : {std::pair{1025, 35.0005}, std::pair{1050, 35.001}}) {
        PictureRecord photo;
        photo.TakenTime = TimeValue(taken);
        PlacePicture(photo, track_, 0);
        EXPECT_DOUBLE_EQ(photo.Latitude, latitude) << taken;
    }
}

// Real logs with points left without a time. Each total is the time between the first and the
// last timed point, in file order: points before and after them take their times.
class CorpusFillTest : public test::CorpusTest {
protected:
    void Load(const std::string& name) {
        const fs::path file = Corpus() / "gpx" / name;
        SilentHost host;
        LoadGpx(track_, file.string(), false, 0.0, host);
        EXPECT_TRUE(host.messages.empty()) << name;
    }
    // What the pages need of a track with times: a total, speeds, and the player's positions,
    // whose times never go back (the timed points of these files never do).
    void ExpectTimed(int64_t totalSeconds) {
        EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), totalSeconds);
        EXPECT_TRUE(track_.HasTime());
        EXPECT_GT(track_.GetMaxSpeed(), 0.0);
        EXPECT_GT(track_.GetMovingTime().GetTotalSeconds(), 0);
        int64_t previous = track_.GetHead().GetTime().GetTime();
        for (const GpsPoint& p : track_) {
            EXPECT_GE(p.GetTime().GetTime(), previous);
            previous = p.GetTime().GetTime();
        }
        GpsPointList positions;
        positions.ResampleByTime(static_cast<int32_t>(std::max<int64_t>(track_.GetPlayerStep(), 1)), track_);
        EXPECT_GE(positions.GetCount(), 100u);
    }

    test::ScopedTimeZone zone_{"UTC"};
    GpsTrack track_;
};

TEST_F(CorpusFillTest, TwelveUntimedPointsAtTheEnd) {
    Load("gpsbabel__fitwrite-track.gpx");
    // 52 timed points, 17:06:21.25 to 18:52:56.98 (fractions dropped), then 12 without a time:
    // 18:52:56 - 17:06:21 = 1:46:35 = 6395 s.
    ExpectTimed(6395);
    EXPECT_EQ(track_.GetTotalTimeText(), "01:46:35");
}

TEST_F(CorpusFillTest, OneUntimedPointAtTheEnd) {
    Load("gpxpy__cerknicko-jezero-without-elevations.gpx");
    // 295 timed points, 14:23:59 to 16:23:35, then one without: 1:59:36 = 7176 s.
    ExpectTimed(7176);
}

TEST_F(CorpusFillTest, UntimedPointsBeforeTheTimedOnes) {
    Load("gpxpy__korita-zbevnica.gpx");
    // 358 points without a time, then 513 timed ones from 09:36:30 to 13:19:31: 3:43:01 = 13381 s.
    ExpectTimed(13381);
}

TEST_F(CorpusFillTest, AFewTimedPointsAmongManyWithout) {
    Load("gpsbabel__segmented_tracks.gpx");
    // 23 untimed, 05:24:05, 4 untimed, 05:30:00, 2 untimed, 05:31:00, 13 untimed, 05:35:00:
    // 05:35:00 - 05:24:05 = 0:10:55 = 655 s.
    ExpectTimed(655);
    std::vector<int64_t> times;
    for (const GpsPoint& p : track_) times.push_back(p.GetTime().GetTime() - track_.GetHead().GetTime().GetTime());
    ASSERT_EQ(times.size(), 46u);
    EXPECT_EQ(times[22], 0);     // the leading points take the first time
    EXPECT_EQ(times[28], 355);   // 05:30:00
    EXPECT_EQ(times[45], 655);   // the last point has a time of its own
}

}  // namespace
}  // namespace trackalbum
