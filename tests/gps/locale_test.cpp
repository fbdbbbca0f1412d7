// Reading and analysing must not change with the process locale: a desktop session with a
// comma as decimal separator must give the figures of the "C" locale, bit for bit.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

struct Figures {
    std::vector<double> values;
    std::vector<std::string> texts;
    bool operator==(const Figures&) const = default;
};

Figures LoadAndAnalyse() {
    GpsTrack track;
    test::RecordingHost host;
    LoadGpx(track, std::string(SOURCE_DIR) + "/examples/walk.gpx", true, 30.0, host);
    Figures f;
    for (const GpsPoint& p : track) {
        f.values.insert(f.values.end(), {p.GetLatitude(), p.GetLongitude(), p.GetElevation(), p.GetSpeed(),
                                         p.GetDistance(), static_cast<double>(p.GetTime().GetTime())});
    }
    f.values.insert(f.values.end(),
                    {track.GetClimb(), track.GetDescent(), track.GetHighestElevation(),
                     track.GetLowestElevation(), track.GetTotalDistance(), track.GetMaxSpeed(),
                     track.GetAverageSpeed(), track.GetUpAverageSpeed(), track.GetSpeedBinWidth()});
    for (int k = 0; k < GpsTrack::SpeedClassCount; ++k) f.values.push_back(track.GetSpeedHistogram(k));
    f.texts = {track.GetTotalTimeText(), track.GetMovingTimeText(),
               FormatC("%.1f %.2f", track.GetClimb(), track.GetTotalDistance() / 1000),
               track.GetHead().GetTime().Format("%Y/%m/%d %H:%M:%S"), track.Reduce(100.0 / 2000000.0)};
    f.texts.insert(f.texts.end(), host.messages.begin(), host.messages.end());
    GpsPointList player;
    player.ResampleByTime(static_cast<int32_t>(track.GetPlayerStep()), track);
    for (const GpsPoint& p : player) f.values.push_back(p.GetLatitude());
    return f;
}

TEST(LocaleTest, CommaDecimalLocaleGivesTheSameFigures) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const Figures plain = LoadAndAnalyse();
    ASSERT_GT(plain.values.size(), 1000u);

    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh installs it)";
    }
    const std::string comma = FormatC("%.1f", 1.5);
    char plainPrintf[16];
    std::snprintf(plainPrintf, sizeof plainPrintf, "%.1f", 1.5);
    const Figures german = LoadAndAnalyse();
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_STREQ(plainPrintf, "1,5") << "the locale is not really in effect";
    EXPECT_EQ(comma, "1.5");
    EXPECT_EQ(german.texts, plain.texts);
    EXPECT_TRUE(german.values == plain.values);
}

}  // namespace
}  // namespace trackalbum
