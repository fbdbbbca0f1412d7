#include <gtest/gtest.h>

#include <cmath>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/GpsTrack.h"

namespace trackalbum {
namespace {

using test::MakePoint;

constexpr double kSlider200 = 200.0 / 2000000.0;

class ReduceTest : public ::testing::Test {
protected:
    // Three points along a meridian, the last turned by `turnDegrees` at the middle one.
    void ThreePoints(double turnDegrees) {
        const double step = 0.001;
        const double turn = turnDegrees / 57.29577951;
        track_.AddTail(MakePoint(35.0, 139.0, 50.0));
        track_.AddTail(MakePoint(35.0 + step, 139.0, 50.0));
        const double east = step * std::sin(turn) / std::cos(35.001 / 57.29577951);
        track_.AddTail(MakePoint(35.0 + step + step * std::cos(turn), 139.0 + east, 50.0));
    }
    GpsTrack track_;
};

TEST_F(ReduceTest, StraightMiddlePointGoesOnlyWithCompression) {
    ThreePoints(0.0);
    EXPECT_EQ(track_.Reduce(0.0), "3/3\r\n(100)");
    EXPECT_EQ(track_.Reduce(kSlider200), "2/3\r\n(67)");
    EXPECT_EQ(track_.GetCount(), 2u);
    EXPECT_NEAR(track_.GetTail().GetLatitude(), 35.002, 1e-12);
}

TEST_F(ReduceTest, TurnOfTwoDegreesStays) {
    ThreePoints(2.0);
    EXPECT_EQ(track_.Reduce(kSlider200), "3/3\r\n(100)");
}

TEST_F(ReduceTest, TurnJustBelowTheThresholdGoes) {
    ThreePoints(0.7);
    EXPECT_EQ(track_.Reduce(kSlider200), "2/3\r\n(67)");
    GpsTrack other;
    for (const GpsPoint& p : track_) other.AddTail(p);
    EXPECT_EQ(other.Reduce(kSlider200), "2/2\r\n(100)");
}

TEST_F(ReduceTest, RepeatedPositionIsNeverRemoved) {
    track_.AddTail(MakePoint(35.0, 139.0, 50.0));
    track_.AddTail(MakePoint(35.0, 139.0, 50.0));
    track_.AddTail(MakePoint(35.001, 139.0, 50.0));
    EXPECT_EQ(track_.Reduce(kSlider200), "3/3\r\n(100)");
}

TEST_F(ReduceTest, StraightRunKeepsOnlyItsEnds) {
    for (int i = 0; i < 1000; ++i) track_.AddTail(MakePoint(35.0 + i * 0.0001, 139.0, 50.0));
    // Each test is made against the last point kept, so the whole run collapses.
    EXPECT_EQ(track_.Reduce(kSlider200), "2/1000\r\n(1)");
    EXPECT_EQ(track_.GetHead().GetLatitude(), 35.0);
    EXPECT_NEAR(track_.GetTail().GetLatitude(), 35.0999, 1e-12);
}

TEST_F(ReduceTest, PercentageIsOfPointsKeptRoundedUp) {
    // 120 points in a zigzag: nothing goes at slider 0.
    for (int i = 0; i < 120; ++i) track_.AddTail(MakePoint(35.0 + i * 0.001, 139.0 + (i % 2) * 0.001));
    EXPECT_EQ(track_.Reduce(0.0), "120/120\r\n(100)");
    GpsTrack tiny;
    EXPECT_EQ(tiny.Reduce(kSlider200), "");
    tiny.AddTail(MakePoint(1, 1));
    EXPECT_EQ(tiny.Reduce(kSlider200), "");
}

TEST_F(ReduceTest, KeptPointsKeepTheirLegValues) {
    for (int i = 0; i < 5; ++i) track_.AddTail(MakePoint(35.0 + i * 0.001, 139.0, 50.0, i * 10));
    track_.Analyse(false, 0.0);
    const double total = track_.GetTotalDistance();
    track_.Reduce(kSlider200);
    ASSERT_EQ(track_.GetCount(), 2u);
    EXPECT_NEAR(track_.GetTail().GetDistance(), total / 4, 1e-3);
    EXPECT_EQ(track_.GetTotalDistance(), total);
}

class ResampleTest : public ::testing::Test {
protected:
    GpsTrack track_;
    GpsPointList list_;
};

TEST_F(ResampleTest, LegLongerThanTheStepIsInterpolated) {
    track_.AddTail(MakePoint(35.0, 139.0, 10.0, 100));
    track_.AddTail(MakePoint(36.0, 140.0, 20.0, 125));
    list_.ResampleByTime(10, track_);
    ASSERT_EQ(list_.GetCount(), 3u);
    auto it = list_.begin();
    EXPECT_EQ(it->GetTime().GetTime(), 100);
    EXPECT_EQ(it->GetElevation(), 10.0);
    ++it;
    EXPECT_DOUBLE_EQ(it->GetLatitude(), 35.4);
    EXPECT_DOUBLE_EQ(it->GetLongitude(), 139.4);
    EXPECT_EQ(it->GetTime().GetTime(), 0);
    ++it;
    EXPECT_DOUBLE_EQ(it->GetLatitude(), 35.8);
}

TEST_F(ResampleTest, LastPointOnAStepIsIncluded) {
    track_.AddTail(MakePoint(35.0, 139.0, 0.0, 100));
    track_.AddTail(MakePoint(36.0, 140.0, 0.0, 130));
    list_.ResampleByTime(10, track_);
    ASSERT_EQ(list_.GetCount(), 4u);
    EXPECT_DOUBLE_EQ(std::prev(list_.end())->GetLatitude(), 36.0);
}

TEST_F(ResampleTest, ShortLegsCarryTheRemainder) {
    // Points every 4 s with step 10: positions at 10, 20, 30 s of track time.
    for (int i = 0; i <= 8; ++i) track_.AddTail(MakePoint(35.0 + i * 0.004, 139.0, 0.0, 1000 + i * 4));
    list_.ResampleByTime(10, track_);
    ASSERT_EQ(list_.GetCount(), 4u);
    auto it = list_.begin();
    for (double expected : {35.0, 35.01, 35.02, 35.03}) {
        EXPECT_NEAR(it->GetLatitude(), expected, 1e-12);
        ++it;
    }
}

TEST_F(ResampleTest, WithoutTimesOnlyTheFirstPointResults) {
    for (int i = 0; i < 5; ++i) track_.AddTail(MakePoint(35.0 + i, 139.0));
    list_.ResampleByTime(10, track_);
    EXPECT_EQ(list_.GetCount(), 1u);
    list_.ResampleByTime(10, GpsTrack());
    EXPECT_TRUE(list_.IsEmpty());
}

TEST_F(ResampleTest, JumpingTimesAreBounded) {
    // A clock that jumps a decade ahead and back again keeps the total time small while one
    // leg spans hundreds of millions of steps.
    track_.AddTail(MakePoint(35.0, 139.0, 0.0, 1000000000));
    track_.AddTail(MakePoint(35.1, 139.0, 0.0, 1300000000));
    track_.AddTail(MakePoint(35.2, 139.0, 0.0, 1000000600));
    list_.ResampleByTime(1, track_);
    EXPECT_EQ(list_.GetCount(), GpsPointList::MaxPositions);
}

}  // namespace
}  // namespace trackalbum
