// Reading and analysing must not change with the process locale: a desktop session with a
// comma as decimal separator must give the figures of the "C" locale, bit for bit.
#include <gtest/gtest.h>

#include <clocale>

#include "GpsTestSupport.h"
#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

std::vector<std::string> LoadAndAnalyse() {
    GpsTrack track;
    test::RecordingHost host;
    LoadGpx(track, std::string(SOURCE_DIR) + "/examples/walk.gpx", true, 30.0, host);
    std::vector<std::string> f = host.messages;
    for (const GpsPoint& p : track) {
        f.push_back(FormatC("%a %a %a %a %a %lld", p.GetLatitude(), p.GetLongitude(), p.GetElevation(), p.GetSpeed(),
                            p.GetDistance(), static_cast<long long>(p.GetTime().GetTime())));
    }
    f.push_back(FormatC("%a %a %a %a %a %a %a", track.GetClimb(), track.GetDescent(), track.GetHighestElevation(),
                        track.GetTotalDistance(), track.GetMaxSpeed(), track.GetAverageSpeed(),
                        track.GetSpeedHistogram(3)));
    f.insert(f.end(), {track.GetTotalTimeText(), track.GetHead().GetTime().Format("%Y/%m/%d %H:%M:%S"),
                       track.Reduce(100.0 / 2000000.0)});
    GpsPointList player;
    player.ResampleByTime(static_cast<int32_t>(track.GetPlayerStep()), track);
    for (const GpsPoint& p : player) f.push_back(FormatC("%a", p.GetLatitude()));
    return f;
}

TEST(LocaleTest, CommaDecimalLocaleGivesTheSameFigures) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const auto plain = LoadAndAnalyse();
    ASSERT_GT(plain.size(), 200u);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh installs it)";
    }
    char check[8];
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    const auto german = LoadAndAnalyse();
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_STREQ(check, "1,5") << "the locale is not really in effect";
    EXPECT_EQ(german, plain);
}

}  // namespace
}  // namespace trackalbum
