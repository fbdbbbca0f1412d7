// Every GPX file of the shared corpus of real logs, against the facts gathered for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "GpsTestSupport.h"
#include "support/MiniJson.h"
#include "gps/LoadGpx.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

test::JsonValue ReadFacts() {
    std::ifstream in(fs::path(CORPUS_DIR) / "expected.json", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return test::JsonParser(text.str()).Parse()["gpx"];
}

class GpxCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(fs::path(CORPUS_DIR) / "expected.json")) GTEST_SKIP() << "no corpus at " << CORPUS_DIR;
    }
    // The facts' times are calendar texts; they are turned into instants by the same local
    // conversion as the program's, in a zone of its users.
    test::ScopedTimeZone zone_{"Asia/Tokyo"};
};

TEST_F(GpxCorpusTest, PointCountsAndFirstAndLastTimes) {
    const test::JsonValue facts = ReadFacts();
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(CORPUS_DIR) / "gpx")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const test::JsonValue& fact = facts["gpx/" + name];
        ASSERT_FALSE(fact.IsNull());
        ++files;

        GpsTrack track;
        test::RecordingHost host;
        ASSERT_EQ(LoadGpx(track, entry.path().string(), false, 0.0, host), 1);

        const size_t expectedPoints = static_cast<size_t>(fact["trkpt"].number + fact["rtept"].number);
        EXPECT_EQ(track.GetCount(), expectedPoints);

        bool representable = true;
        TimeValue first;
        TimeValue last;
        if (!fact["first_time"].IsNull()) {
            try {
                first = ParseGpxTime(fact["first_time"].text);
                last = ParseGpxTime(fact["last_time"].text);
            } catch (const InvalidArgumentError&) {
                representable = false;
            }
        }

        if (!fact["well_formed"].boolean) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].rfind("エラーです。hr=c00ce5", 0), 0u) << host.messages[0];
        } else if (!representable) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0], "エラーです。hr=8007000d");
        } else {
            EXPECT_TRUE(host.messages.empty()) << host.messages[0];
        }

        std::vector<TimeValue> times;
        for (const GpsPoint& p : track) {
            if (p.GetTime().GetTime() != 0) times.push_back(p.GetTime());
        }
        if (representable) {
            EXPECT_EQ(times.size(), static_cast<size_t>(fact["points_with_time"].number));
        } else {
            EXPECT_TRUE(times.empty());
        }
        if (!times.empty()) {
            EXPECT_EQ(times.front(), first);
            EXPECT_EQ(times.back(), last);
        }

        // Whatever the file, the analysis and the page steps run on what was read.
        track.Reduce(200.0 / 2000000.0);
        EXPECT_LE(track.GetCount(), expectedPoints);
    }
    EXPECT_EQ(files, 28);
}

TEST_F(GpxCorpusTest, LargeLoggerTrackStatisticsAreConsistent) {
    GpsTrack track;
    test::RecordingHost host;
    LoadGpx(track, std::string(CORPUS_DIR) + "/gpx/georust-gpx__garmin_with_extensions.gpx", false, 0.0, host);
    ASSERT_EQ(track.GetCount(), 3540u);
    EXPECT_TRUE(track.HasTime());
    EXPECT_GT(track.GetTotalDistance(), 1000.0);
    EXPECT_NEAR(track.GetTotalDistance(),
                track.GetUpDistance() + track.GetDownDistance() + track.GetFlatDistance(), 1e-6);
    EXPECT_GT(track.GetClimb(), 0.0);
    EXPECT_LT(track.GetDescent(), 0.0);
    EXPECT_LE(track.GetMovingTime(), track.GetTotalTime());
    double histogram = 0.0;
    for (int k = 0; k < GpsTrack::SpeedClassCount; ++k) histogram += track.GetSpeedHistogram(k);
    EXPECT_GE(histogram, track.GetTotalDistance() - 1e-6);
}

}  // namespace
}  // namespace trackalbum
