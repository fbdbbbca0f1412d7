#include <gtest/gtest.h>

#include <cmath>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/GpsTrack.h"

namespace trackalbum {
namespace {

using test::MakePoint;

// 0.001 degrees of latitude on the program's sphere: 0.001 / 57.2958 * 6378700 m.
constexpr double kMilliDegree = 111.3293;
constexpr double kSlider200 = 200.0 / 2000000.0;

TEST(GpsPointTest, LegValues) {
    const struct { double north, rise; int64_t dt; double distance, speed; int grade; } cases[] = {
        {0.001, 0.0, 10, kMilliDegree, 40.08, 0}, {0.001, 5.0, 10, 111.4415, 40.12, 4},
        {0.000898, 0.9, 60, 99.98, 6.0, 0},    // 0.9 m over 100 m is flat
        {0.000898, -1.5, 60, 99.99, 6.0, -1},  // 1.5 m down over 100 m is -1
        {0.01, 0.0, 0, 1113.293, 0.0, 0},      // no time: no speed
    };
    for (const auto& c : cases) {
        GpsPoint q = MakePoint(35.0 + c.north, 139.0, 100.0 + c.rise, 1000 + c.dt);
        const GpsPoint p = MakePoint(35.0, 139.0, 100.0, 1000);
        q.ComputeFromPrevious(&p);
        EXPECT_NEAR(q.GetDistance(), c.distance, 0.01) << c.north << " " << c.rise;
        EXPECT_NEAR(q.GetSpeed(), c.speed, 0.01) << c.north << " " << c.rise;
        EXPECT_EQ(q.GetGrade(), c.grade) << c.north << " " << c.rise;
    }
    // Positions for which the cosine argument rounds below 1 are still exactly 0 apart.
    for (double lat : {35.6255063, 35.123456789, 47.2, -33.8688, 0.5, 89.9}) {
        const GpsPoint p = MakePoint(lat, 139.2430100, 200.0, 0);
        GpsPoint q = MakePoint(lat, 139.2430100, 201.0, 5);
        q.ComputeFromPrevious(&p);
        EXPECT_EQ(q.GetDistance(), 1.0) << lat;
        EXPECT_EQ(q.GetGrade(), 0) << lat;
    }
}

class AnalyseTest : public ::testing::Test {
protected:
    // A point `dt` seconds after the previous one, `north` thousandths of a degree north of it.
    void Add(double north, double ele, int64_t dt = 10) {
        lat_ += north * 0.001;
        track_.AddTail(MakePoint(lat_, 139.0, ele, time_ += dt));
    }
    GpsTrack track_;
    double lat_ = 35.0;
    int64_t time_ = 1000000;
};

TEST_F(AnalyseTest, ClimbDescentAndClasses) {
    for (const auto& [north, ele] : {std::pair{0.0, 100.0}, {1.0, 105.0}, {1.0, 105.5}, {1.0, 94.0}, {1.0, 94.0}}) {
        Add(north, ele);
    }
    for (int round = 0; round < 2; ++round) {  // a second analysis starts from zero
        track_.Analyse(false, 0.0);
        EXPECT_EQ(track_.GetMovingTimeText(), "00:00:40");
        // One up, one down, two flat: the first point is not moving and is skipped.
        EXPECT_EQ(track_.GetUpCount() * 100 + track_.GetDownCount() * 10 + track_.GetFlatCount(), 112);
        EXPECT_DOUBLE_EQ(track_.GetClimb(), 5.0);
        EXPECT_DOUBLE_EQ(track_.GetDescent(), -11.5);
        EXPECT_DOUBLE_EQ(track_.GetHighestElevation(), 105.5);
        EXPECT_DOUBLE_EQ(track_.GetLowestElevation(), 94.0);
        EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 5, 1e-12);  // the first point counts
    }
}

TEST_F(AnalyseTest, StationaryPointIsSkippedButCountsInSpeedClassZero) {
    Add(0, 100.0);
    Add(1, 100.0);
    Add(0.0001, 100.0);  // 0.01 m in 10 s: not moving
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetStoppedCount(), 1);
    EXPECT_EQ(track_.GetMovingTime().GetTotalSeconds(), 10);
    EXPECT_EQ(track_.GetFlatCount(), 1);
    EXPECT_NEAR(track_.GetSpeedHistogram(0), track_.GetTail().GetDistance(), 1e-12);
    EXPECT_NEAR(track_.GetSpeedHistogram(39), kMilliDegree, 0.001);  // the fastest point used
}

TEST_F(AnalyseTest, TrackWithoutTimeUsesEveryPoint) {
    for (const auto& [north, ele] : {std::pair{0.0, 100.0}, {1.0, 100.0}, {1.0, 110.0}}) Add(north, ele, 0);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetTotalTimeText(), "00:00:00");
    EXPECT_EQ(track_.GetFlatCount(), 2);  // the first point included
    EXPECT_EQ(track_.GetUpCount(), 1);
    EXPECT_DOUBLE_EQ(track_.GetSpeedBinWidth(), 0.025);
    EXPECT_NEAR(track_.GetSpeedHistogram(0), track_.GetTotalDistance(), 1e-9);
}

TEST_F(AnalyseTest, SpeedLimitRemovesFastPointsAndShrinksTheDivisor) {
    for (double north : {0.0, 1.0, 0.5, 0.5, 0.0}) Add(north, 100.0);  // -, 40, 20, 20, 0 km/h
    GpsTrack unlimited = track_;
    track_.Analyse(true, 30.0);
    EXPECT_EQ(track_.GetCount(), 4u);
    EXPECT_EQ(track_.GetStoppedCount(), 1);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 40);
    EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 3, 1e-12);
    unlimited.Analyse(true, 0.0);
    EXPECT_EQ(unlimited.GetCount(), 5u);
}

TEST_F(AnalyseTest, OnePointOrNoDivisor) {
    Add(0, 321.0);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetHighestElevation() + track_.GetLowestElevation(), 642.0);
    EXPECT_EQ(track_.GetAverageSpeed(), 0.0);
    // A limit below 1 km/h removes points counted as stopped: the divisor would turn negative.
    for (int i = 0; i < 2; ++i) Add(0.02, 321.0);  // 0.8 km/h
    track_.Analyse(true, 0.1);
    EXPECT_EQ(track_.GetCount(), 1u);
    EXPECT_EQ(track_.GetAverageSpeed(), 0.0);
    // Nothing used, and a skipped point at exactly 1.0 km/h: class 40 is counted in 39.
    track_.Clear();
    Add(0, 0.0, 0);
    Add(0, 1000.0, 3600);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetSpeedHistogram(39), 1000.0);
}

// Three points along a meridian 0.001 degrees apart, turned by `degrees` at the middle one.
GpsTrack ThreePoints(double degrees) {
    const double turn = degrees / 57.29577951;
    GpsTrack track;
    for (const auto& [lat, lon] : {std::pair{35.0, 139.0}, {35.001, 139.0},
                                   {35.001 + 0.001 * std::cos(turn), 139.0 + 0.001 * std::sin(turn) / 0.8191}}) {
        track.AddTail(MakePoint(lat, lon, 50.0));
    }
    return track;
}

TEST(ReduceTest, MiddlePointGoesOnlyWhenTheRouteRunsNearlyStraight) {
    const struct { double turn, tolerance; const char* report; } cases[] = {
        {0.0, 0.0, "3/3\r\n(100)"}, {0.0, kSlider200, "2/3\r\n(67)"}, {0.7, kSlider200, "2/3\r\n(67)"},
        {2.0, kSlider200, "3/3\r\n(100)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ThreePoints(c.turn).Reduce(c.tolerance), c.report) << c.turn;
    GpsTrack track;  // a middle point at its predecessor's place leaves no angle
    for (double lat : {35.0, 35.0, 35.001}) track.AddTail(MakePoint(lat, 139.0, 50.0));
    EXPECT_EQ(track.Reduce(kSlider200), "3/3\r\n(100)");
    EXPECT_EQ(GpsTrack().Reduce(kSlider200), "");
}

TEST(ReduceTest, StraightRunCollapsesToItsEndsWithTheirLegValues) {
    GpsTrack track;
    for (int i = 0; i < 1000; ++i) track.AddTail(MakePoint(35.0 + i * 0.0001, 139.0, 50.0, i * 10));
    track.Analyse(false, 0.0);
    const double total = track.GetTotalDistance();
    // Each test is made against the last point kept, so the whole run goes.
    EXPECT_EQ(track.Reduce(kSlider200), "2/1000\r\n(1)");
    EXPECT_NEAR(track.GetTail().GetLatitude(), 35.0999, 1e-12);
    EXPECT_NEAR(track.GetTail().GetDistance(), total / 999, 1e-3);
    EXPECT_EQ(track.GetTotalDistance(), total);
}

TEST(ResampleTest, PositionsEveryStepOfTrackTime) {
    // The latitude runs from 35 to 36 evenly in time (by one degree a point without times).
    const struct { std::vector<int64_t> times; std::vector<double> lats; } cases[] = {
        {{100, 125}, {35.0, 35.4, 35.8}},                 // a long leg is interpolated
        {{100, 130}, {35.0, 35.333333, 35.666667, 36.0}},  // the last point on a step is included
        {{100, 104, 108, 112, 116, 120, 124, 128, 132}, {35.0, 35.3125, 35.625, 35.9375}},  // short legs
        {{0, 0, 0}, {35.0}},                               // no times: the first point only
        {{1000000000, 1300000000, 1000000600}, {}},        // a clock jump: bounded
    };
    for (const auto& c : cases) {
        GpsTrack track;
        const double span = static_cast<double>(c.times.back() - c.times.front());
        for (size_t i = 0; i < c.times.size(); ++i) {
            const double along = span > 0 ? static_cast<double>(c.times[i] - c.times.front()) / span : i;
            track.AddTail(MakePoint(35.0 + along, 139.0, 7.0, c.times[i]));
        }
        GpsPointList list;
        list.ResampleByTime(c.lats.empty() ? 1 : 10, track);
        ASSERT_EQ(list.GetCount(), c.lats.empty() ? GpsPointList::MaxPositions : c.lats.size());
        EXPECT_EQ(list.begin()->GetTime().GetTime(), c.times.front());  // a copy of the first point
        auto it = list.begin();
        for (double lat : c.lats) EXPECT_NEAR((it++)->GetLatitude(), lat, 1e-6) << c.times.size();
        if (list.GetCount() > 1) { EXPECT_EQ(std::next(list.begin())->GetElevation(), 0.0) << "a bare position"; }
    }
}

}  // namespace
}  // namespace trackalbum
