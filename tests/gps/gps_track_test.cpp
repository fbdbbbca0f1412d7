// Time values, the leg and track analysis, the reduction and the resampling.
#include <gtest/gtest.h>

#include <cmath>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/GpsTrack.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

TEST(TimeValueTest, FieldsAreLocalTimeNormalisedAndRefusedOutsideTheRange) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    const TimeValue t(2006, 5, 3, 1, 23, 45);
    EXPECT_EQ(t.GetTime(), 1146587025);  // 2006-05-02 16:23:45 UTC
    EXPECT_EQ(TimeValue(2006, 13, 32, 0, 0, 60), TimeValue(2007, 2, 1, 0, 1, 0));
    // Year 0, before the epoch (Tokyo midnight is nine hours before it), past year 3000.
    for (int year : {0, 1969, 1970, 3001, 2147483647}) {
        EXPECT_THROW(TimeValue(year, 1, 1, year == 3001 ? 9 : 0, 0, 0), InvalidArgumentError) << year;
    }
    EXPECT_EQ(t.Format("[%Y/%m/%d %H:%M]"), "[2006/05/03 01:23]");
    EXPECT_EQ(t.Format(nullptr) + t.Format(std::string(130, 'x').c_str()), "");  // nothing, or too long

    for (const char* text : {"2006-05-03T01:23:45Z", "2006-05-03T01:23:45.999Z", "2006-05-03T01:23:45+09:00",
                             "2006-05-03T01:23:45-05:00", "  2006-05-03T01:23:45"}) {
        EXPECT_EQ(ParseGpxTime(text), t) << text;
    }
    EXPECT_EQ(ParseGpxTime("2006-05-03"), TimeValue(2006, 5, 3, 0, 0, 0));
    for (const char* text : {"", "garbage", "1901-12-13T20:45:52Z", "-99999999999999999999-01-01T00:00:00Z"}) {
        EXPECT_THROW(ParseGpxTime(text), InvalidArgumentError) << text;
    }
    EXPECT_THROW(ParseExifDateTime("0000:00:00 00:00:00"), InvalidArgumentError);
}

TEST(TimeSpanTest, FormatShowsHoursWithinTheDay) {
    const struct { int64_t seconds; const char* format; const char* expected; } cases[] = {
        {0, "%H:%M:%S", "00:00:00"}, {86399, "%H:%M:%S", "23:59:59"}, {86400, "%H:%M:%S", "00:00:00"},
        {25 * 3600 + 2 * 60 + 3, "%H:%M:%S", "01:02:03"}, {3 * 86400 + 61, "%D日 %x%M%%", "3日 01%"}, {1, "%", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeSpan(c.seconds).Format(c.format), c.expected) << c.format;
    EXPECT_THROW(TimeSpan(1).Format(nullptr), InvalidArgumentError);
}

// The per-hour shortcut of the stream parser must give exactly what the plain conversion
// gives: around offset changes, for odd fields, and after TZ changes between calls.
TEST(GpxTimeParserTest, AgreesWithThePlainConversion) {
    GpxTimeParser parser;
    auto agree = [&parser](const std::string& text) {
        int64_t plain = -1, cached = -1;  // -1: refused
        try { plain = ParseGpxTime(text).GetTime(); } catch (const InvalidArgumentError&) {}
        try { cached = parser.Parse(text).GetTime(); } catch (const InvalidArgumentError&) {}
        EXPECT_EQ(cached, plain) << std::getenv("TZ") << " " << text;
    };
    const struct { const char* zone; int year, month, day; } cases[] = {
        {"America/New_York", 2021, 3, 13}, {"Europe/Berlin", 2021, 10, 30}, {"Australia/Lord_Howe", 2021, 4, 3},
        {"UTC", 1970, 1, 1}, {"Asia/Tokyo", 1970, 1, 1}};
    for (const auto& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        agree("2021-06-01T12:34:56Z");  // cached under the zone before
        for (int minute = 0; minute < 3 * 24 * 60; minute += 7) {
            agree(FormatC("%04d-%02d-%02dT%02d:%02d:%02d.5Z", c.year, c.month, c.day + minute / 1440,
                          minute / 60 % 24, minute % 60, minute % 2 * 59));
        }
        for (const char* odd : {"2021-03-14T02:75:00Z", "2021-03-14T02:10:99Z", "2021-03-14T25:00:00Z"}) agree(odd);
        agree("2021-06-01T12:34:56Z");
    }
}

GpsPoint MakePoint(double lat, double lon, double ele = 0.0, int64_t time = 0) {
    return GpsPoint{lat, lon, TimeValue(time), ele};
}

TEST(GpsPointTest, LegValues) {
    const struct { double north, rise; int64_t dt; double distance, speed; int grade; } cases[] = {
        {0.001, 0.0, 10, 111.3293, 40.08, 0},  // 0.001 / 57.2958 * 6378700 m
        {0.001, 5.0, 10, 111.4415, 40.12, 4},  {0.000898, 0.9, 60, 99.98, 6.0, 0},  // 0.9 m over 100 m is flat
        {0.000898, -1.5, 60, 99.99, 6.0, -1},  {0.01, 0.0, 0, 1113.293, 0.0, 0},    // no time: no speed
    };
    for (const auto& c : cases) {
        GpsPoint q = MakePoint(35.0 + c.north, 139.0, 100.0 + c.rise, 1000 + c.dt);
        const GpsPoint p = MakePoint(35.0, 139.0, 100.0, 1000);
        q.ComputeFromPrevious(&p);
        EXPECT_NEAR(q.GetDistance(), c.distance, 0.01) << c.north << " " << c.rise;
        EXPECT_NEAR(q.GetSpeed(), c.speed, 0.01);
        EXPECT_EQ(q.GetGrade(), c.grade);
    }
    // Positions for which the cosine argument rounds below 1 are still exactly 0 apart.
    for (double lat : {35.6255063, 35.123456789, 47.2, -33.8688, 0.5, 89.9}) {
        const GpsPoint p = MakePoint(lat, 139.2430100, 200.0, 0);
        GpsPoint q = MakePoint(lat, 139.2430100, 201.0, 5);
        q.ComputeFromPrevious(&p);
        EXPECT_EQ(q.GetDistance() + q.GetGrade(), 1.0) << lat;
    }
}

class AnalyseTest : public ::testing::Test {
protected:
    // A point `dt` seconds after the previous one, `north` thousandths of a degree north of it.
    void Add(double north, double ele, int64_t dt = 10) {
        track_.AddTail(MakePoint(lat_ += north * 0.001, 139.0, ele, time_ += dt));
    }
    GpsTrack track_;
    double lat_ = 35.0;
    int64_t time_ = 1000000;
};

TEST_F(AnalyseTest, ClimbDescentClassesAndTheStationaryPoint) {
    // Up 5 m, flat, down 11.5 m, flat, and 0.01 m in 10 s (not moving).
    for (const auto& [north, ele] : {std::pair{0.0, 100.0}, {1.0, 105.0}, {1.0, 105.5}, {1.0, 94.0}, {1.0, 94.0},
                                     {0.0001, 94.0}}) {
        Add(north, ele);
    }
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetMovingTimeText(), "00:00:40");
    // The first and the last point are not moving and are skipped.
    EXPECT_EQ(track_.GetUpCount() * 100 + track_.GetDownCount() * 10 + track_.GetFlatCount(), 112);
    EXPECT_EQ(std::pair(track_.GetClimb(), track_.GetDescent()), std::pair(5.0, -11.5));
    EXPECT_DOUBLE_EQ(track_.GetHighestElevation() - track_.GetLowestElevation(), 105.5 - 94.0);
    EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 5, 1e-12);  // the first point counts
    EXPECT_NEAR(track_.GetSpeedHistogram(0), track_.GetTail().GetDistance(), 1e-12);  // the skipped one
}

TEST_F(AnalyseTest, TrackWithoutTimeUsesEveryPoint) {
    for (const auto& [north, ele] : {std::pair{0.0, 100.0}, {1.0, 100.0}, {1.0, 110.0}}) Add(north, ele, 0);
    track_.Analyse(false, 0.0);
    EXPECT_EQ(track_.GetFlatCount() * 10 + track_.GetUpCount(), 21);  // the first point is flat
    EXPECT_DOUBLE_EQ(track_.GetSpeedBinWidth(), 0.025);
    EXPECT_NEAR(track_.GetSpeedHistogram(0), track_.GetTotalDistance(), 1e-9);
}

TEST_F(AnalyseTest, SpeedLimitRemovesFastPointsAndShrinksTheDivisor) {
    for (double north : {0.0, 1.0, 0.5, 0.5, 0.0}) Add(north, 100.0);  // -, 40, 20, 20, 0 km/h
    track_.Analyse(true, 0.0);  // no limit
    EXPECT_EQ(track_.GetCount(), 5u);
    track_.Analyse(true, 30.0);  // a second analysis starts from zero
    EXPECT_EQ(track_.GetCount(), 4u);
    EXPECT_EQ(track_.GetStoppedCount(), 1);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 40);
    EXPECT_NEAR(track_.GetAverageSpeed(), track_.GetSpeedSum() / 3, 1e-12);
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

TEST(ReduceTest, MiddlePointGoesOnlyWhenTheRouteRunsNearlyStraight) {
    constexpr double kSlider200 = 200.0 / 2000000.0;
    auto three = [](double turn) {  // 0.001 degrees apart along a meridian, turned at the middle point
        GpsTrack track;
        const double r = turn / 57.29577951, east = 0.001 * std::sin(r) / std::cos(35.001 / 57.29577951);
        for (const auto& [lat, lon] : {std::pair{35.0, 139.0}, {35.001, 139.0}, {35.001 + 0.001 * std::cos(r), 139.0 + east}}) {
            track.AddTail(MakePoint(lat, lon, 50.0));
        }
        return track;
    };
    for (const auto& [turn, slider, report] : {std::tuple{0.0, 0.0, "3/3\r\n(100)"}, {0.0, 200.0, "2/3\r\n(67)"},
                                               {0.7, 200.0, "2/3\r\n(67)"}, {2.0, 200.0, "3/3\r\n(100)"}}) {
        EXPECT_EQ(three(turn).Reduce(slider / 2000000), report) << turn;
    }
    GpsTrack track;  // a middle point at its predecessor's place leaves no angle
    for (double lat : {35.0, 35.0, 35.001}) track.AddTail(MakePoint(lat, 139.0, 50.0));
    EXPECT_EQ(track.Reduce(kSlider200), "3/3\r\n(100)");
    EXPECT_EQ(GpsTrack().Reduce(kSlider200), "");

    track.Clear();
    for (int i = 0; i < 1000; ++i) track.AddTail(MakePoint(35.0 + i * 0.0001, 139.0, 50.0, i * 10));
    track.Analyse(false, 0.0);
    const double total = track.GetTotalDistance();
    // Each test is against the last point kept: a straight run goes whole; the rest stays as analysed.
    EXPECT_EQ(track.Reduce(kSlider200), "2/1000\r\n(1)");
    EXPECT_NEAR(track.GetTail().GetDistance(), total / 999, 1e-3);
    EXPECT_EQ(track.GetTotalDistance(), total);
}

TEST(ResampleTest, PositionsEveryStepOfTrackTime) {
    // Each point lies at a latitude of its time / 1000, so a position for time t lies at t / 1000.
    const struct { std::vector<int64_t> times, positions; } cases[] = {
        {{100, 125}, {100, 110, 120}},                                      // a long leg is interpolated
        {{100, 130}, {100, 110, 120, 130}},                                 // the last point on a step is included
        {{100, 104, 108, 112, 116, 120, 124, 128, 132}, {100, 110, 120, 130}},  // short legs carry the rest over
        {{0, 0, 0}, {0}},                                                   // no times: the first point only
        {{1000000000, 1300000000, 1000000600}, {}},                         // a clock jump: bounded
    };
    for (const auto& c : cases) {
        GpsTrack track;
        for (int64_t t : c.times) track.AddTail(MakePoint(t / 1000.0, 139.0, 7.0, t));
        GpsPointList list;
        list.ResampleByTime(c.positions.empty() ? 1 : 10, track);
        ASSERT_EQ(list.GetCount(), c.positions.empty() ? GpsPointList::MaxPositions : c.positions.size());
        auto it = list.begin();
        EXPECT_EQ(it->GetTime().GetTime(), c.times.front());  // a copy of the first point, the others bare
        if (list.GetCount() > 1) { EXPECT_EQ(std::next(it)->GetElevation(), 0.0); }
        for (int64_t t : c.positions) EXPECT_NEAR((it++)->GetLatitude(), t / 1000.0, 1e-12) << t;
    }
}

}  // namespace
}  // namespace trackalbum
