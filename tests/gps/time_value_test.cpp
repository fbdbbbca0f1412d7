#include <gtest/gtest.h>

#include <cstdio>

#include "GpsTestSupport.h"
#include "gps/TimeValue.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

class TimeValueTest : public ::testing::Test {
protected:
    test::ScopedTimeZone zone_{"Asia/Tokyo"};
};

TEST_F(TimeValueTest, CalendarFieldsAreLocalTimeAndNormalised) {
    // 2006-05-03 01:23:45 in Tokyo is 2006-05-02 16:23:45 UTC.
    EXPECT_EQ(TimeValue(2006, 5, 3, 1, 23, 45).GetTime(), 1146587025);
    EXPECT_EQ(TimeValue(2006, 13, 32, 0, 0, 60), TimeValue(2007, 2, 1, 0, 1, 0));
    EXPECT_EQ(TimeValue(3000, 12, 31, 23, 59, 59).GetTime(), 32535215999 - 9 * 3600);
    // Year 0, before the epoch (Tokyo midnight is nine hours before it), past year 3000.
    for (int year : {0, 1969, 1970, 3001, 2147483647}) {
        EXPECT_THROW(TimeValue(year, 1, 1, year == 3001 ? 9 : 0, 0, 0), InvalidArgumentError) << year;
    }
    const TimeValue t(2006, 5, 3, 1, 23, 45);
    EXPECT_EQ(t.Format("[%Y/%m/%d %H:%M]"), "[2006/05/03 01:23]");
    EXPECT_EQ(t.Format(nullptr), "");
    EXPECT_EQ(t.Format(std::string(130, 'x').c_str()), "");
}

TEST_F(TimeValueTest, TextsGiveTheirFieldsAsTheyStand) {
    const TimeValue expected(2006, 5, 3, 1, 23, 45);
    for (const char* text : {"2006-05-03T01:23:45Z", "2006-05-03T01:23:45.999Z", "2006-05-03T01:23:45+09:00",
                             "2006-05-03T01:23:45-05:00", "  2006-05-03T01:23:45"}) {
        EXPECT_EQ(ParseGpxTime(text), expected) << text;
    }
    EXPECT_EQ(ParseGpxTime("2006-05-03"), TimeValue(2006, 5, 3, 0, 0, 0));
    for (const char* text : {"", "garbage", "1901-12-13T20:45:52Z", "-99999999999999999999-01-01T00:00:00Z"}) {
        EXPECT_THROW(ParseGpxTime(text), InvalidArgumentError) << text;
    }
    EXPECT_EQ(ParseExifDateTime("2006:05:03 01:23:45 extra 99"), expected);
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
    const struct { const char* zone; int year, month, day; } cases[] = {
        {"America/New_York", 2021, 3, 13}, {"Europe/Berlin", 2021, 10, 30}, {"Australia/Lord_Howe", 2021, 4, 3},
        {"UTC", 1970, 1, 1},
    };
    GpxTimeParser parser;
    for (const auto& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        for (int minute = 0; minute < 3 * 24 * 60; minute += 7) {
            for (int second : {0, 59}) {
                char text[64];
                std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.5Z", c.year, c.month,
                              c.day + minute / 1440, minute / 60 % 24, minute % 60, second);
                try {
                    EXPECT_EQ(parser.Parse(text), ParseGpxTime(text)) << c.zone << " " << text;
                } catch (const InvalidArgumentError&) {
                    EXPECT_THROW(ParseGpxTime(text), InvalidArgumentError) << c.zone << " " << text;
                    EXPECT_THROW(parser.Parse(text), InvalidArgumentError) << c.zone << " " << text;
                }
            }
        }
        for (const char* odd : {"2021-03-14T02:75:00Z", "2021-03-14T02:10:99Z", "2021-03-14T25:00:00Z"}) {
            EXPECT_EQ(parser.Parse(odd), ParseGpxTime(odd)) << c.zone << " " << odd;
        }
    }
    for (const char* zone : {"Asia/Tokyo", "UTC", "America/New_York"}) {
        const test::ScopedTimeZone switched(zone);
        EXPECT_EQ(parser.Parse("2021-06-01T12:34:56Z"), ParseGpxTime("2021-06-01T12:34:56Z")) << zone;
    }
}

}  // namespace
}  // namespace trackalbum
