#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

std::string Gpx(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">\n" + body + "</gpx>\n";
}

// `count` track points a second apart, each 11 m north of and 1 m above the one before.
std::string TrackPoints(int count) {
    std::string body = "<trk><trkseg>\n";
    for (int i = 0; i < count; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "<trkpt lat=\"35.%04d\" lon=\"139\"><ele>%d.5</ele>"
                      "<time>2026-05-17T00:00:%02dZ</time></trkpt>\n", i, 100 + i, i);
        body += line;
    }
    return body + "</trkseg></trk>\n";
}

class LoadGpxTest : public ::testing::Test {
protected:
    LoadGpxTest() { fs::create_directories(dir_); }
    ~LoadGpxTest() override { fs::remove_all(dir_); }
    void Read(const std::string& body) { outcome_ = ReadGpxText(track_, Gpx(body)); }
    std::vector<GpsPoint> Points() const { return {track_.begin(), track_.end()}; }
    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return (dir_ / name).string();
    }
    int Load(const std::string& path) { return LoadGpx(track_, path, false, 0.0, host_); }
    void ExpectMessages(const std::vector<std::string>& texts) {
        EXPECT_EQ(host_.messages, texts);
        host_.messages.clear();
    }

    test::ScopedTimeZone zone_{"UTC"};
    const fs::path dir_ = fs::temp_directory_path() / ("ta-load-gpx-" + std::to_string(::getpid()));
    GpsTrack track_;
    GpxReadOutcome outcome_;
    test::RecordingHost host_;
};

TEST_F(LoadGpxTest, PointsFormOneSequenceAndTakeTheLatestTimeAndElevation) {
    Read("<metadata><time>2020-01-01T00:00:00Z</time></metadata><wpt lat=\"9\" lon=\"9\"><ele>999</ele></wpt>"
         "<rte><rtept lat=\"1\" lon=\"2\"/><rtept lon=\"4\" lat=\"3\"/></rte>"
         "<trk><trkseg><trkpt lat=\"5\" lon=\"6\"><ele>12.5</ele><time>2006-05-03T01:23:45Z</time></trkpt>"
         "<trkpt><ele>77</ele></trkpt></trkseg>"
         "<trkseg><trkpt lon=\"8\"><extensions><elevation>3</elevation></extensions></trkpt></trkseg></trk>");
    EXPECT_EQ(outcome_.code, 0u);
    const auto points = Points();
    ASSERT_EQ(points.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(points[i].GetLongitude(), 2.0 + 2 * i);
    EXPECT_EQ(points[1].GetLatitude(), 3.0);
    EXPECT_EQ(points[0].GetElevation(), 0.0);  // the metadata time and the waypoint changed nothing
    EXPECT_EQ(points[0].GetTime().GetTime(), 0);
    EXPECT_EQ(points[2].GetTime().GetTime(), 1146619425);
    EXPECT_EQ(points[2].GetElevation(), 77.0);  // a point without coordinates gives its ele away
    EXPECT_EQ(points[3].GetLatitude(), 0.0);
    EXPECT_EQ(points[3].GetElevation(), 3.0);  // "elevation" begins with "ele"
}

TEST_F(LoadGpxTest, NamesMatchByPrefixInAnyNamespaceAndTextIsGatheredWhole) {
    Read("<trk xmlns:x=\"urn:x\"><x:trkptx x:latitude=\"10.5\" longitude=\"20.25\" x:lon=\"21\"/>"
         "<rtepts lonely=\"7\"><ele>1&#50;3<![CDATA[4]]>.5</ele><time>2006-05-0&#51;T01:23:45Z</time></rtepts>"
         "<trkp lat=\"1\" lon=\"1\"/><trkpt lat=\"1\"><ele>1<elevation>2</elevation>3</ele></trkpt></trk>");
    const auto points = Points();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].GetLatitude(), 10.5);
    EXPECT_EQ(points[0].GetLongitude(), 21.0);  // a later match overwrites the earlier one
    EXPECT_EQ(points[1].GetLongitude(), 7.0);
    EXPECT_EQ(points[1].GetElevation(), 1234.5);  // references and CDATA split the text
    EXPECT_EQ(points[1].GetTime().GetTime(), 1146619425);
    EXPECT_EQ(points[2].GetElevation(), 12.0);  // a nested match does not restart the text
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
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 19);
    EXPECT_DOUBLE_EQ(track_.GetClimb(), 19.0);
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(track_.GetCount(), 20u);
    ExpectMessages({});

    for (const fs::path& missing : {dir_ / "missing.gpx", dir_ / "no" / "x.gpx", fs::path(good) / "x.gpx"}) {
        EXPECT_EQ(Load(missing.string()), 1);
        EXPECT_TRUE(track_.IsEmpty());
    }
    for (const std::string& bad : {std::string("a\0b.gpx", 7), std::string(5000, 'n'), dir_.string()}) Load(bad);
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
    EXPECT_DOUBLE_EQ(track_.GetHighestElevation(), 108.5);
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
    std::string bomb = "<!DOCTYPE gpx [\n<!ENTITY a0 \"lollollollollollol\">\n";
    for (int i = 1; i < 12; ++i) {
        bomb += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) bomb += "&a" + std::to_string(i - 1) + ";";
        bomb += "\">\n";
    }
    bomb += "]>\n<gpx><trkpt lat=\"1\" lon=\"1\"><ele>&a11;</ele></trkpt></gpx>\n";
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    Load(Write("bomb.gpx", bomb));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes
    EXPECT_TRUE(track_.IsEmpty());

    const std::string secret = Write("secret.txt", "12345");
    Load(Write("external.gpx", "<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file://" + secret +
                                   "\">]>\n<gpx><trkpt lat=\"1\" lon=\"1\"><ele>&x;</ele></trkpt></gpx>"));
    ExpectMessages({"エラーです。hr=c00ce600", "エラーです。hr=c00ce600"});
    // An external DTD is not loaded either: the document reads as if it had none.
    Load(Write("dtd.gpx", "<!DOCTYPE gpx SYSTEM \"file://" + secret + "\">\n<gpx><trkpt lat=\"1\" lon=\"1\"/></gpx>"));
    ExpectMessages({});
    EXPECT_EQ(track_.GetCount(), 1u);
}

}  // namespace
}  // namespace trackalbum
