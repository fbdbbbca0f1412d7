#include <gtest/gtest.h>

#include "GpsTestSupport.h"
#include "gps/TimeValue.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

class TimeValueTest : public ::testing::Test {
protected:
    test::ScopedTimeZone zone_{"Asia/Tokyo"};
};

TEST_F(TimeValueTest, CalendarFieldsAreLocalTime) {
    // 2006-05-03 01:23:45 in Tokyo is 2006-05-02 16:23:45 UTC.
    EXPECT_EQ(TimeValue(2006, 5, 3, 1, 23, 45).GetTime(), 1146587025);
    EXPECT_EQ(TimeValue(2006, 5, 3, 1, 23, 45).Format("%Y/%m/%d %H:%M:%S"), "2006/05/03 01:23:45");
}

TEST_F(TimeValueTest, OutOfRangeFieldsAreNormalised) {
    EXPECT_EQ(TimeValue(2006, 13, 1, 0, 0, 0), TimeValue(2007, 1, 1, 0, 0, 0));
    EXPECT_EQ(TimeValue(2006, 1, 32, 0, 0, 0), TimeValue(2006, 2, 1, 0, 0, 0));
    EXPECT_EQ(TimeValue(2006, 1, 1, 0, 0, 60), TimeValue(2006, 1, 1, 0, 1, 0));
}

TEST_F(TimeValueTest, UnrepresentableTimesRaiseInvalidArgument) {
    EXPECT_THROW(TimeValue(0, 0, 0, 0, 0, 0), InvalidArgumentError);
    EXPECT_THROW(TimeValue(1969, 12, 31, 23, 59, 59), InvalidArgumentError);
    // Midnight 1970-01-01 in Tokyo is nine hours before the epoch.
    EXPECT_THROW(TimeValue(1970, 1, 1, 0, 0, 0), InvalidArgumentError);
    EXPECT_NO_THROW(TimeValue(1970, 1, 1, 9, 0, 0));
    EXPECT_NO_THROW(TimeValue(3000, 12, 31, 23, 59, 59));
    EXPECT_THROW(TimeValue(3001, 1, 1, 9, 0, 0), InvalidArgumentError);
    EXPECT_THROW(TimeValue(2147483647, 1, 1, 0, 0, 0), InvalidArgumentError);
}

TEST_F(TimeValueTest, FormatOfNullOrOverlongTextIsEmpty) {
    const TimeValue t(2006, 5, 3, 1, 23, 45);
    EXPECT_EQ(t.Format(nullptr), "");
    EXPECT_EQ(t.Format(std::string(130, 'x').c_str()), "");
    EXPECT_EQ(t.Format("[%Y/%m/%d %H:%M]"), "[2006/05/03 01:23]");
}

TEST_F(TimeValueTest, GpxTimeIgnoresFractionsAndZones) {
    const TimeValue expected(2006, 5, 3, 1, 23, 45);
    EXPECT_EQ(ParseGpxTime("2006-05-03T01:23:45Z"), expected);
    EXPECT_EQ(ParseGpxTime("2006-05-03T01:23:45.999Z"), expected);
    EXPECT_EQ(ParseGpxTime("2006-05-03T01:23:45+09:00"), expected);
    EXPECT_EQ(ParseGpxTime("2006-05-03T01:23:45-05:00"), expected);
    EXPECT_EQ(ParseGpxTime("  2006-05-03T01:23:45"), expected);
    EXPECT_EQ(ParseGpxTime("2006-05-03"), TimeValue(2006, 5, 3, 0, 0, 0));
}

TEST_F(TimeValueTest, GpxTimeWithoutYearIsRefused) {
    EXPECT_THROW(ParseGpxTime(""), InvalidArgumentError);
    EXPECT_THROW(ParseGpxTime("garbage"), InvalidArgumentError);
    EXPECT_THROW(ParseGpxTime("1901-12-13T20:45:52.2073437Z"), InvalidArgumentError);
    EXPECT_THROW(ParseGpxTime("99999999999999999999-01-01T00:00:00Z"), InvalidArgumentError);
    EXPECT_THROW(ParseGpxTime("-99999999999999999999-01-01T00:00:00Z"), InvalidArgumentError);
    EXPECT_THROW(ParseExifDateTime("-99999999999999999999:01:01 00:00:00"), InvalidArgumentError);
}

TEST_F(TimeValueTest, ExifDateTime) {
    EXPECT_EQ(ParseExifDateTime("2006:05:03 12:34:56"), TimeValue(2006, 5, 3, 12, 34, 56));
    EXPECT_EQ(ParseExifDateTime("2006:05:03 12:34:56 extra 99"), TimeValue(2006, 5, 3, 12, 34, 56));
    EXPECT_THROW(ParseExifDateTime("0000:00:00 00:00:00"), InvalidArgumentError);
}

TEST_F(TimeValueTest, LocalConversionFollowsTz) {
    const test::ScopedTimeZone utc("UTC");
    EXPECT_EQ(ParseGpxTime("2006-05-03T01:23:45Z").GetTime(), 1146619425);
    EXPECT_EQ(TimeValue(1970, 1, 1, 0, 0, 0).GetTime(), 0);
}

TEST(TimeSpanTest, FormatShowsHoursWithinTheDay) {
    EXPECT_EQ(TimeSpan(0).Format("%H:%M:%S"), "00:00:00");
    EXPECT_EQ(TimeSpan(86399).Format("%H:%M:%S"), "23:59:59");
    EXPECT_EQ(TimeSpan(86400).Format("%H:%M:%S"), "00:00:00");
    EXPECT_EQ(TimeSpan(25 * 3600 + 2 * 60 + 3).Format("%H:%M:%S"), "01:02:03");
    EXPECT_EQ(TimeSpan(3 * 86400 + 5).Format("%D days, %S s"), "3 days, 05 s");
}

TEST(TimeSpanTest, FormatCodesAndMultibyteText) {
    EXPECT_EQ(TimeSpan(61).Format("100%% %x%M分"), "100% 01分");
    EXPECT_EQ(TimeSpan(61).Format("%"), "");
    EXPECT_THROW(TimeSpan(1).Format(nullptr), InvalidArgumentError);
}

}  // namespace
}  // namespace trackalbum

namespace trackalbum {
namespace {

// The per-hour shortcut must give exactly what the plain conversion gives, around every kind
// of offset change: spring forward, fall back, half-hour changes, and odd texts.
TEST(GpxTimeParserTest, AgreesWithThePlainConversionAroundOffsetChanges) {
    const struct { const char* zone; int year, month, day; } cases[] = {
        {"America/New_York", 2021, 3, 13}, {"America/New_York", 2021, 11, 6},
        {"Europe/Berlin", 2021, 3, 27},    {"Europe/Berlin", 2021, 10, 30},
        {"Australia/Lord_Howe", 2021, 4, 3}, {"Asia/Tokyo", 2026, 5, 16}, {"UTC", 1970, 1, 1},
    };
    for (const auto& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        GpxTimeParser parser;
        for (int minute = 0; minute < 3 * 24 * 60; minute += 7) {
            for (int second : {0, 59}) {
                const int day = c.day + minute / (24 * 60);
                const int hour = minute / 60 % 24;
                char text[64];
                std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.5Z", c.year, c.month, day,
                              hour, minute % 60, second);
                bool plainThrows = false;
                TimeValue plain;
                try {
                    plain = ParseGpxTime(text);
                } catch (const InvalidArgumentError&) {
                    plainThrows = true;
                }
                if (plainThrows) {
                    EXPECT_THROW(parser.Parse(text), InvalidArgumentError) << c.zone << " " << text;
                } else {
                    EXPECT_EQ(parser.Parse(text), plain) << c.zone << " " << text;
                }
            }
        }
        for (const char* odd : {"2021-03-14T02:75:00Z", "2021-03-14T02:10:99Z", "2021-03-14T25:00:00Z",
                                "2021-03-14T02:-5:00Z", "2021-03-14"}) {
            EXPECT_EQ(parser.Parse(odd), ParseGpxTime(odd)) << c.zone << " " << odd;
        }
    }
}

}  // namespace
}  // namespace trackalbum
