#include <gtest/gtest.h>

#include <cmath>

#include "GpsTestSupport.h"
#include "gps/GpsTrack.h"

namespace trackalbum {
namespace {

using test::MakePoint;

// 0.001 degrees of latitude on the program's sphere: 0.001 / 57.2958 * 6378700 m.
constexpr double kMilliDegree = 111.3293;

TEST(GpsPointTest, LegOverOneThousandthOfADegree) {
    GpsPoint p = MakePoint(35.0, 139.0, 100.0, 1000);
    GpsPoint q = MakePoint(35.001, 139.0, 100.0, 1010);
    q.ComputeFromPrevious(&p);
    EXPECT_NEAR(q.GetDistance(), kMilliDegree, 0.001);
    EXPECT_NEAR(q.GetSpeed(), 40.08, 0.01);
    EXPECT_EQ(q.GetGrade(), 0);
    EXPECT_EQ(q.GetGradeSign(), 0);

    q.SetElevation(105.0);
    q.ComputeFromPrevious(&p);
    EXPECT_NEAR(q.GetDistance(), std::sqrt(kMilliDegree * kMilliDegree + 25.0), 0.001);
    EXPECT_EQ(q.GetGrade(), 4);
    EXPECT_EQ(q.GetGradeSign(), 1);
    EXPECT_DOUBLE_EQ(q.GetElevationChange(), 5.0);
}

TEST(GpsPointTest, GradeTruncatesTowardZero) {
    // About 100 m north; 0.9 m up is flat, 1.5 m down is -1.
    GpsPoint p = MakePoint(35.0, 139.0, 100.0, 0);
    GpsPoint up = MakePoint(35.000898, 139.0, 100.9, 60);
    up.ComputeFromPrevious(&p);
    EXPECT_EQ(up.GetGrade(), 0);
    GpsPoint down = MakePoint(35.000898, 139.0, 98.5, 60);
    down.ComputeFromPrevious(&p);
    EXPECT_EQ(down.GetGrade(), -1);
    EXPECT_EQ(down.GetGradeSign(), -1);
}

TEST(GpsPointTest, CoincidentPointsAreExactlyZeroApart) {
    // Positions for which the cosine argument rounds below 1.
    for (double lat : {35.6255063, 35.123456789, 47.2, -33.8688, 0.5, 89.9}) {
        GpsPoint p = MakePoint(lat, 139.2430100, 200.0, 0);
        GpsPoint q = MakePoint(lat, 139.2430100, 201.0, 5);
        q.ComputeFromPrevious(&p);
        EXPECT_EQ(q.GetDistance(), 1.0) << lat;
        EXPECT_EQ(q.GetGrade(), 0) << lat;
    }
}

TEST(GpsPointTest, WithoutTimeOrPreviousNothingMoves) {
    GpsPoint p = MakePoint(35.0, 139.0);
    GpsPoint q = MakePoint(35.01, 139.0);
    q.ComputeFromPrevious(&p);
    EXPECT_EQ(q.GetSpeed(), 0.0);
    EXPECT_FALSE(q.IsMoving());
    GpsPoint first = MakePoint(1.0, 2.0, 3.0, 4);
    first.ComputeFromPrevious(nullptr);
    EXPECT_EQ(first.GetDistance(), 0.0);
}

TEST(GpsPointTest, CopyFromLeavesSpeedGradeAndDistance) {
    GpsPoint p = MakePoint(35.0, 139.0, 100.0, 0);
    GpsPoint q = MakePoint(35.001, 139.0, 110.0, 10);
    q.ComputeFromPrevious(&p);
    GpsPoint copy;
    copy.CopyFrom(q);
    EXPECT_EQ(copy.GetLatitude(), 35.001);
    EXPECT_EQ(copy.GetTime().GetTime(), 10);
    EXPECT_EQ(copy.GetElevationChange(), 10.0);
    EXPECT_EQ(copy.GetSpeed(), 0.0);
    EXPECT_EQ(copy.GetGrade(), 0);
    EXPECT_EQ(copy.GetDistance(), 0.0);
    copy.CopyFrom(copy);
    EXPECT_EQ(copy.GetLatitude(), 35.001);
}

class AnalyseTest : public ::testing::Test {
protected:
    // A point every 10 s, `step` thousandths of a degree north of the previous one.
    void Add(double northMilli, double ele, int64_t dt = 10) {
        lat_ += northMilli * 0.001;
        time_ += dt;
        track_.AddTail(MakePoint(lat_, 139.0, ele, time_));
    }
    GpsTrack track_;
    double lat_ = 35.0;
    int64_t time_ = 1000000;
};

TEST_F(AnalyseTest, ClimbDescentAndClasses) {
    Add(0, 100.0);
    Add(1, 105.0);   // up 5 m
    Add(1, 105.5);   // flat
    Add(1, 94.0);    // down 11.5 m
    Add(1, 94.0);    // flat
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 40);
    EXPECT_EQ(track_.GetMovingTime().GetTotalSeconds(), 40);
    EXPECT_EQ(track_.GetUpCount(), 1);
    EXPECT_EQ(track_.GetDownCount(), 1);
    EXPECT_EQ(track_.GetFlatCount(), 2);  // the first point is not moving and is skipped
    EXPECT_DOUBLE_EQ(track_.GetClimb(), 5.0);
    EXPECT_DOUBLE_EQ(track_.GetDescent(), -11.5);
    EXPECT_DOUBLE_EQ(track_.GetHighestElevation(), 105.5);
    EXPECT_DOUBLE_EQ(track_.GetLowestElevation(), 94.0);
    EXPECT_NEAR(track_.GetTotalDistance(),
                track_.GetUpDistance() + track_.GetDownDistance() + track_.GetFlatDistance(), 1e-9);
    // The divisor counts the first point too.
    EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 5, 1e-12);
    EXPECT_EQ(track_.GetTotalTimeText(), "00:00:40");
    EXPECT_EQ(track_.GetPlayerStep(), 0);
}

TEST_F(AnalyseTest, StationaryPointIsSkippedButCountsInSpeedClassZero) {
    Add(0, 100.0);
    Add(1, 100.0);
    Add(0.0001, 100.0);  // 0.01 m in 10 s: not moving
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetStoppedCount(), 1);
    EXPECT_EQ(track_.GetMovingTime().GetTotalSeconds(), 10);
    EXPECT_EQ(track_.GetFlatCount(), 1);
    const GpsPoint& last = track_.GetTail();
    EXPECT_NEAR(track_.GetSpeedHistogram(0), last.GetDistance(), 1e-12);
    double sum = 0.0;
    for (int k = 0; k < GpsTrack::SpeedClassCount; ++k) sum += track_.GetSpeedHistogram(k);
    EXPECT_NEAR(sum, kMilliDegree + last.GetDistance(), 0.001);
    EXPECT_NEAR(track_.GetSpeedBinWidth(), (track_.GetMaxSpeed() + 1.0) / 40, 1e-12);
    EXPECT_EQ(track_.GetSpeedHistogram(40), 0.0);
    EXPECT_EQ(track_.GetSpeedHistogram(-1), 0.0);
}

TEST_F(AnalyseTest, TrackWithoutTimeUsesEveryPoint) {
    Add(0, 100.0, 0);
    Add(1, 100.0, 0);
    Add(1, 110.0, 0);
    track_.Analyse(false, 0.0);
    EXPECT_FALSE(track_.HasTime());
    EXPECT_EQ(track_.GetTotalTimeText(), "00:00:00");
    EXPECT_EQ(track_.GetFlatCount(), 2);  // the first point included
    EXPECT_EQ(track_.GetUpCount(), 1);
    EXPECT_EQ(track_.GetMaxSpeed(), 0.0);
    EXPECT_DOUBLE_EQ(track_.GetSpeedBinWidth(), 0.025);
    EXPECT_NEAR(track_.GetSpeedHistogram(0), track_.GetTotalDistance(), 1e-9);
}

TEST_F(AnalyseTest, SpeedLimitRemovesFastPointsAndShrinksTheDivisor) {
    Add(0, 100.0);
    Add(1, 100.0);       // 40 km/h
    Add(0.5, 100.0);     // 20 km/h
    Add(0.5, 100.0);     // 20 km/h
    Add(0, 100.0);       // stopped
    track_.Analyse(true, 30.0);
    EXPECT_EQ(track_.GetCount(), 4u);
    EXPECT_EQ(track_.GetStoppedCount(), 1);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 40);
    EXPECT_NEAR(track_.GetMaxSpeed(), 20.04, 0.01);
    EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 3, 1e-12);

    GpsTrack unlimited;
    for (const GpsPoint& p : track_) unlimited.AddTail(p);
    unlimited.Analyse(true, 0.0);
    EXPECT_EQ(unlimited.GetCount(), 4u);
}

TEST_F(AnalyseTest, AverageSpeedWithoutMovingPointsIsZero) {
    Add(0, 100.0);
    Add(0, 100.0);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetAverageSpeed(), 0.0);

    // A limit below 1 km/h removes points counted as stopped: the divisor would turn negative.
    GpsTrack slow;
    slow.AddTail(MakePoint(35.0, 139.0, 0.0, 0));
    slow.AddTail(MakePoint(35.00002, 139.0, 0.0, 10));
    slow.AddTail(MakePoint(35.00004, 139.0, 0.0, 20));
    slow.Analyse(true, 0.1);
    EXPECT_EQ(slow.GetCount(), 1u);
    EXPECT_EQ(slow.GetAverageSpeed(), 0.0);
}

TEST_F(AnalyseTest, OnePointAndEmptyTrack) {
    Add(0, 321.0);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetHighestElevation(), 321.0);
    EXPECT_EQ(track_.GetLowestElevation(), 321.0);
    EXPECT_EQ(track_.GetTotalDistance(), 0.0);
    EXPECT_EQ(track_.GetAverageSpeed(), 0.0);

    track_.Clear();
    track_.Analyse(true, 10.0);
    EXPECT_TRUE(track_.IsEmpty());
    EXPECT_EQ(track_.GetHighestElevation(), 0.0);
    EXPECT_EQ(track_.GetAverageSpeed(), 0.0);
}

TEST_F(AnalyseTest, OnlySkippedMotionAtOneKilometrePerHourStaysInTheTable) {
    // Every point is stationary except one skipped point at exactly 1.0 km/h; its class
    // would be 40, one past the table.
    GpsTrack exact;
    exact.AddTail(MakePoint(0.0, 0.0, 0.0, 0));
    exact.AddTail(MakePoint(0.0, 0.0, 1000.0, 3600));  // 1000 m up in an hour: 1.0 km/h
    exact.Analyse(false, 0.0);
    EXPECT_EQ(exact.GetTail().GetSpeed(), 1.0);
    EXPECT_EQ(exact.GetSpeedHistogram(39), 1000.0);
}

TEST_F(AnalyseTest, AnalysingTwiceGivesTheSameFigures) {
    Add(0, 100.0);
    Add(1, 120.0);
    Add(1, 90.0);
    track_.Analyse(false, 0.0);
    const double climb = track_.GetClimb();
    const double distance = track_.GetTotalDistance();
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetClimb(), climb);
    EXPECT_EQ(track_.GetTotalDistance(), distance);
}

}  // namespace
}  // namespace trackalbum
