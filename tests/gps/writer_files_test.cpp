// GPX files as another program writes them (tests/data): extensions beside the point's own
// elements, GPX 1.0 routes, metadata times that are no track point.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"

namespace trackalbum {
namespace {

struct RecordingHost : MessageHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Every text between <tag> and </tag>, found by plain string search: the reader's own
// account of the file is checked against this, not against itself.
std::vector<std::string> Texts(const std::string& path, const std::string& tag) {
    std::ifstream in(path);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str(), open = "<" + tag + ">", close = "</" + tag + ">";
    std::vector<std::string> found;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        const size_t start = at + open.size();
        found.push_back(text.substr(start, text.find(close, start) - start));
    }
    return found;
}

TEST(GpxWriterFilesTest, TrackAndRouteReadWithEveryPointTimeAndElevation) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    struct Case {
        const char* file;
        const char* point;
        size_t count;
    };
    for (const Case& c : {Case{"gpsbabel-walk-11.gpx", "trkpt", 120}, Case{"gpsbabel-route-10.gpx", "rtept", 25}}) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(TEST_DATA_DIR) + "/data/" + c.file;
        GpsTrack track;
        RecordingHost host;
        ASSERT_EQ(LoadGpx(track, path, false, 0.0, host), 1);
        EXPECT_EQ(host.messages, std::vector<std::string>{});
        ASSERT_EQ(track.GetCount(), c.count);

        // The metadata's time (when the file was written) is no point's; the point times are.
        const std::vector<std::string> times = Texts(path, "time");
        ASSERT_EQ(times.size(), c.count + 1);
        std::vector<TimeValue> expected, read;
        for (size_t i = 1; i < times.size(); ++i) expected.push_back(ParseGpxTime(times[i]));
        std::vector<double> elevations, readElevations;
        for (const std::string& e : Texts(path, "ele")) elevations.push_back(std::stod(e));
        for (const GpsPoint& p : track) {
            read.push_back(p.GetTime());
            readElevations.push_back(p.GetElevation());
        }
        EXPECT_EQ(read, expected);
        EXPECT_EQ(readElevations, elevations);  // not the geoid height beside it

        // A 19 min 50 s walk, up and down 60 m with a ten-fix rest at the top.
        EXPECT_EQ(track.GetTotalTime().GetTotalSeconds(), 1190);
        EXPECT_DOUBLE_EQ(track.GetHighestElevation(), *std::max_element(elevations.begin(), elevations.end()));
        EXPECT_NEAR(track.GetTotalDistance(), 1'500.0, 300.0);
        EXPECT_GT(track.GetClimb(), 40.0);
        EXPECT_LT(track.GetDescent(), -40.0);  // kept as a negative sum
    }
}

}  // namespace
}  // namespace trackalbum
