// Every GPX file of the shared corpus of real logs, against the facts gathered for it.
#include <gtest/gtest.h>

#include <filesystem>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"
#include "platform/Errors.h"
#include "support/MiniJson.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

TEST(GpxCorpusTest, PointCountsTimesAndStatistics) {
    const fs::path corpus(CORPUS_DIR);
    if (!fs::exists(corpus / "expected.json")) GTEST_SKIP() << "no corpus at " << CORPUS_DIR;
    const test::JsonValue facts = test::ReadJsonFile((corpus / "expected.json").string())["gpx"];
    // The facts' times are calendar texts, turned into instants by the program's own local conversion.
    const test::ScopedTimeZone zone("Asia/Tokyo");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "gpx")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const test::JsonValue& fact = facts["gpx/" + name];
        ASSERT_FALSE(fact.IsNull());
        ++files;
        GpsTrack track;
        test::RecordingHost host;
        ASSERT_EQ(LoadGpx(track, entry.path().string(), false, 0.0, host), 1);
        const auto expectedPoints = static_cast<size_t>(fact["trkpt"].number + fact["rtept"].number);
        EXPECT_EQ(track.GetCount(), expectedPoints);

        bool representable = true;
        TimeValue first, last;
        try {
            if (!fact["first_time"].IsNull()) first = ParseGpxTime(fact["first_time"].text);
            if (!fact["last_time"].IsNull()) last = ParseGpxTime(fact["last_time"].text);
        } catch (const InvalidArgumentError&) {
            representable = false;
        }
        if (!fact["well_formed"].boolean) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].rfind("エラーです。hr=c00ce5", 0), 0u) << host.messages[0];
        } else {
            EXPECT_EQ(host.messages, std::vector<std::string>(representable ? 0 : 1, "エラーです。hr=8007000d"));
        }
        std::vector<TimeValue> times;
        for (const GpsPoint& p : track) {
            if (p.GetTime().GetTime() != 0) times.push_back(p.GetTime());
        }
        EXPECT_EQ(times.size(), representable ? static_cast<size_t>(fact["points_with_time"].number) : 0u);
        if (!times.empty()) {
            EXPECT_EQ(times.front(), first);
            EXPECT_EQ(times.back(), last);
        }
        if (track.HasTime() && track.GetCount() > 1000) {  // the large logger tracks
            EXPECT_NEAR(track.GetTotalDistance(),
                        track.GetUpDistance() + track.GetDownDistance() + track.GetFlatDistance(), 1e-6);
            EXPECT_LE(track.GetMovingTime(), track.GetTotalTime());
            EXPECT_LT(track.GetDescent(), 0.0);
        }
        track.Reduce(200.0 / 2000000.0);
        EXPECT_LE(track.GetCount(), expectedPoints);
    }
    EXPECT_EQ(files, 28);
}

}  // namespace
}  // namespace trackalbum
