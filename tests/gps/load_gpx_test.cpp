// The GPX reader and LoadGpx, on made-up documents, other programs' files, the corpus of real
// logs and the sample.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <clocale>
#include <filesystem>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"
#include "platform/CFormat.h"
#include "support/CorpusTest.h"
#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using test::RecordingHost;

std::string Gpx(const std::string& body) { return "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">" + body + "</gpx>"; }

// `count` track points a second apart, each 11 m north of and 1 m above the one before.
std::string TrackPoints(int count) {
    std::string body = "<trk><trkseg>\n";
    for (int i = 0; i < count; ++i) {
        body += FormatC("<trkpt lat=\"35.%04d\" lon=\"139\"><ele>%d.5</ele><time>2026-05-17T00:00:%02dZ</time></trkpt>\n",
                        i, 100 + i, i);
    }
    return body + "</trkseg></trk>\n";
}

class LoadGpxTest : public ::testing::Test {
protected:
    void Read(const std::string& body) { ReadGpxText(track_, Gpx(body)); }
    std::string Write(const std::string& name, const std::string& content) {
        test::WriteFile(dir_ / name, content);
        return dir_ / name;
    }
    int Load(const std::string& path) { return LoadGpx(track_, path, false, 0.0, host_); }
    void ExpectMessages(const std::vector<std::string>& texts) {
        EXPECT_EQ(host_.messages, texts);
        host_.messages.clear();
    }

    test::ScopedTimeZone zone_{"UTC"};
    const test::ScratchFolder dir_;
    GpsTrack track_;
    RecordingHost host_;
};

TEST_F(LoadGpxTest, PointsFormOneSequenceAndTakeTheLatestTimeAndElevation) {
    Read("<metadata><time>2020-01-01T00:00:00Z</time></metadata><wpt lat=\"9\" lon=\"9\"><ele>999</ele></wpt>"
         "<rte><rtept lat=\"1\" lon=\"2\"/><rtept lon=\"4\" lat=\"3\"/></rte><trk xmlns:x=\"urn:x\"><trkseg>"
         "<trkpt lat=\"5\" lon=\"6\"><ele>12.5</ele><time>2006-05-0&#51;T01:23:45Z</time></trkpt><trkpt><ele>77</ele></trkpt>"
         "</trkseg><trkseg><x:trkptx x:latitude=\"10.5\" longitude=\"20.25\" x:lon=\"8\">"
         "<ele>1&#50;3<![CDATA[4]]><elevation>.5</elevation>6</ele></x:trkptx><trkp lat=\"1\"/><trkpt lon=\"10\"/>"
         "</trkseg></trk>");
    const std::vector<GpsPoint> points(track_.begin(), track_.end());
    ASSERT_EQ(points.size(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(points[i].GetLongitude(), 2.0 + 2 * i);  // a later lon overwrites
    EXPECT_EQ(points[0].GetElevation() + points[0].GetTime().GetTime(), 0);  // nothing from metadata or waypoint
    EXPECT_EQ(points[1].GetLatitude(), 3.0);
    EXPECT_EQ(points[2].GetTime().GetTime(), 1146619425);  // a reference splits the text
    EXPECT_EQ(points[2].GetElevation(), 77.0);             // a point without coordinates gives its ele away
    EXPECT_EQ(points[3].GetLatitude(), 10.5);              // names match by prefix, in any namespace
    EXPECT_EQ(points[3].GetElevation(), 1234.5);           // gathered whole; a nested match does not restart it
    EXPECT_EQ(points[4].GetLatitude(), 0.0);
}

TEST_F(LoadGpxTest, NumbersAreDecimalOnlyAndLongValuesAreCut) {
    const struct { std::string lat, ele; double latitude, elevation; } cases[] = {
        {"nan", "0x10", 0.0, 0.0}, {"inf", "INFINITY", 0.0, 0.0}, {"1e999", "-1e999", 0.0, 0.0},
        {"  -35.5xyz", " 12.25 m", -35.5, 12.25}, {"+1.5e2", "abc", 150.0, 0.0}, {"3,5", "", 3.0, 0.0},
        {std::string(300, ' ') + "35", std::string(1 << 20, '7'), 0.0, 0.0},  // past the 260th character
        {std::string(8 << 20, '9'), "1", 1e260, 1.0},
    };
    for (const auto& c : cases) {
        Read("<trkpt lat=\"" + c.lat + "\" lon=\"1\"><ele>" + c.ele + "</ele><name>" + c.ele + "</name></trkpt>");
        ASSERT_EQ(track_.GetCount(), 1u);
        EXPECT_DOUBLE_EQ(track_.GetHead().GetLatitude(), c.latitude) << c.lat.substr(0, 20);
        EXPECT_EQ(track_.GetHead().GetElevation(), c.elevation) << c.ele.substr(0, 20);
    }
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    deep += "<trkpt lat=\"1\" lon=\"2\"/>";
    for (int i = 0; i < 100000; ++i) deep += "</a>";
    Read(deep);
    EXPECT_EQ(track_.GetCount(), 1u);
}

TEST_F(LoadGpxTest, FileIsReadAndAnalysedAndEachFailureHasItsText) {
    const std::string good = Write("good.gpx", Gpx(TrackPoints(20)));
    EXPECT_EQ(LoadGpx(track_, good, true, 30.0, host_), 1);  // 40 km/h everywhere
    EXPECT_EQ(track_.GetCount(), 1u);
    EXPECT_EQ(Load(good), 1);
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(track_.GetCount(), 20u);
    ExpectMessages({});

    for (const fs::path& missing : {dir_ / "missing.gpx", dir_ / "no" / "x.gpx", fs::path(good) / "x.gpx"}) {
        EXPECT_EQ(Load(missing.string()), 1);
        EXPECT_TRUE(track_.IsEmpty());
    }
    for (const std::string& bad : {std::string("a\0b.gpx", 7), std::string(5000, 'n'), dir_.Path().string()}) Load(bad);
    Load(Write("empty.gpx", ""));
    Load(Write("garbage.gpx", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18)));
    const std::string notFound = "ファイルが見つかりません。", badName = "ファイル名が正しくないか、空です。";
    ExpectMessages({notFound, notFound, notFound, badName, badName, "エラーです。hr=8007010b",
                    "エラーです。hr=c00ce503", "エラーです。hr=c00ce504"});
}

TEST_F(LoadGpxTest, BrokenOffFileOrUnrepresentableTimeKeepsThePointsBefore) {
    const std::string whole = Gpx(TrackPoints(20));
    size_t cut = 0;
    for (int i = 0; i < 10; ++i) cut = whole.find("<trkpt", cut + 1);
    const std::string path = Write("cut.gpx", whole.substr(0, cut + 20));  // inside the tenth trkpt
    Load(path);
    ExpectMessages({"エラーです。hr=c00ce505"});
    EXPECT_EQ(track_.GetCount(), 9u);
    struct : MessageHost {  // a host that cannot show the box does not stop the analysis
        void ShowMessage(const std::string&) override { throw std::runtime_error("no display"); }
    } throwing;
    EXPECT_EQ(LoadGpx(track_, path, false, 0.0, throwing), 1);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 8);

    std::string body = TrackPoints(5);
    body.insert(body.find("</trkseg>"), "<trkpt lat=\"36\" lon=\"139\"><time>0000-00-00T00:00:00Z</time></trkpt>"
                                        "<trkpt lat=\"37\" lon=\"139\"/>");
    EXPECT_EQ(Load(Write("time.gpx", Gpx(body))), 1);
    ExpectMessages({"エラーです。hr=8007000d"});
    EXPECT_EQ(track_.GetCount(), 6u);
    EXPECT_EQ(track_.GetTail().GetTime().GetTime(), 0);
}

TEST_F(LoadGpxTest, EntitiesAreRefusedAndABombFailsFastWithBoundedMemory) {
    std::string bomb = "<!DOCTYPE gpx [\n<!ENTITY a0 \"lollollollollollol\">\n";  // 10^11 lols
    for (int i = 1; i < 12; ++i) bomb += FormatC("<!ENTITY a%1$d \"%2$s%2$s%2$s%2$s%2$s%2$s%2$s%2$s%2$s%2$s\">\n", i,
                                                 FormatC("&a%d;", i - 1).c_str());
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    Load(Write("bomb.gpx", bomb + "]>\n<gpx><trkpt lat=\"1\" lon=\"1\"><ele>&a11;</ele></trkpt></gpx>\n"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes

    const std::string secret = Write("secret.txt", "12345");
    ExpectMessages({"エラーです。hr=c00ce600"});
    // An external DTD is never loaded: the document reads as if it had none.
    Load(Write("dtd.gpx", "<!DOCTYPE gpx SYSTEM \"file://" + secret + "\">\n<gpx><trkpt lat=\"1\" lon=\"1\"/></gpx>"));
    ExpectMessages({});
    EXPECT_EQ(track_.GetCount(), 1u);
}

// Every text between <tag> and </tag>, found by plain string search: the reader's own
// account of the file is checked against this, not against itself.
std::vector<std::string> Texts(const std::string& path, const std::string& tag) {
    const std::string text = test::ReadFile(path), open = "<" + tag + ">", close = "</" + tag + ">";
    std::vector<std::string> found;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        const size_t start = at + open.size();
        found.push_back(text.substr(start, text.find(close, start) - start));
    }
    return found;
}

// Files as another program writes them (tests/data): extensions beside the point's own
// elements, GPX 1.0 routes, metadata times that are no track point.
TEST(GpxWriterFilesTest, TrackAndRouteReadWithEveryPointTimeAndElevation) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    for (const auto& [file, count] : {std::pair{"gpsbabel-walk-11.gpx", 120u}, {"gpsbabel-route-10.gpx", 25u}}) {
        SCOPED_TRACE(file);
        const std::string path = std::string(TEST_DATA_DIR) + "/data/" + file;
        GpsTrack track;
        RecordingHost host;
        ASSERT_EQ(LoadGpx(track, path, false, 0.0, host), 1);
        EXPECT_EQ(host.messages, std::vector<std::string>{});
        ASSERT_EQ(track.GetCount(), count);
        std::vector<TimeValue> times, readTimes;
        for (const std::string& text : Texts(path, "time")) times.push_back(ParseGpxTime(text));
        std::vector<double> elevations, readElevations;
        for (const std::string& text : Texts(path, "ele")) elevations.push_back(std::stod(text));
        for (const GpsPoint& p : track) {
            readTimes.push_back(p.GetTime());
            readElevations.push_back(p.GetElevation());
        }
        EXPECT_EQ(readTimes, std::vector(times.begin() + 1, times.end()));  // the first is the metadata's
        EXPECT_EQ(readElevations, elevations);  // not the geoid height beside it
    }
}

using GpxCorpusTest = test::CorpusTest;

TEST_F(GpxCorpusTest, PointCountsTimesAndStatistics) {
    const test::Json facts = Facts("gpx");
    const test::ScopedTimeZone zone("Asia/Tokyo");  // the facts' times are read as the program reads them
    int files = 0;
    for (const auto& entry : fs::directory_iterator(Corpus() / "gpx")) {
        const std::string name = entry.path().filename().string();
        ASSERT_TRUE(facts.contains("gpx/" + name)) << name;
        const test::Json& fact = facts["gpx/" + name];
        ++files;
        GpsTrack track;
        RecordingHost host;
        LoadGpx(track, entry.path().string(), false, 0.0, host);
        std::vector<TimeValue> times;
        for (const GpsPoint& p : track) {
            if (p.TimeGiven && p.GetTime().GetTime() != 0) times.push_back(p.GetTime());
        }
        // A time before 1970 cannot be represented: the load ends there with a box of its own.
        const bool early = test::Given(fact, "first_time") && test::Text(fact, "first_time") < "1970";
        EXPECT_EQ(track.GetCount(), fact["trkpt"].get<size_t>() + fact["rtept"].get<size_t>()) << name;
        EXPECT_EQ(times.size(), early ? 0u : fact["points_with_time"].get<size_t>()) << name;
        if (!times.empty()) {
            const std::vector expected{ParseGpxTime(test::Text(fact, "first_time")), ParseGpxTime(test::Text(fact, "last_time"))};
            EXPECT_EQ((std::vector{times.front(), times.back()}), expected) << name;
        }
        const std::string box = !fact["well_formed"].get<bool>() ? "エラーです。hr=c00ce5" : early ? "エラーです。hr=8007000d" : "";
        ASSERT_EQ(host.messages.size(), box.empty() ? 0u : 1u) << name;
        if (!box.empty()) { EXPECT_EQ(host.messages[0].rfind(box, 0), 0u) << name << " " << host.messages[0]; }
    }
    EXPECT_EQ(files, 28);
}

TEST(LocaleTest, CommaDecimalLocaleGivesTheSameFigures) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    auto figures = [] {  // what the pages show of the sample, in hexadecimal so that every bit counts
        GpsTrack track;
        RecordingHost host;
        LoadGpx(track, std::string(SOURCE_DIR) + "/examples/walk.gpx", true, 30.0, host);
        std::vector<std::string> f = host.messages;
        for (const GpsPoint& p : track) {
            f.push_back(FormatC("%a %a %a %a %lld", p.GetLatitude(), p.GetLongitude(), p.GetElevation(), p.GetSpeed(),
                                static_cast<long long>(p.GetTime().GetTime())));
        }
        f.insert(f.end(), {FormatC("%a %a %a %a", track.GetClimb(), track.GetTotalDistance(), track.GetAverageSpeed(),
                                   track.GetSpeedHistogram(3)),
                           track.GetTotalTimeText(), track.Reduce(100.0 / 2000000.0)});
        return f;
    };
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const auto plain = figures();
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const auto comma = figures();
    std::setlocale(LC_ALL, previous.c_str());
    if (!german) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh installs it)";
    ASSERT_GT(plain.size(), 200u);
    EXPECT_EQ(comma, plain);
}

}  // namespace
}  // namespace trackalbum
