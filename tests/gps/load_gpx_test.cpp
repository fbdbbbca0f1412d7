#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using test::GpxDocument;

std::string Points(int count) {
    std::string body = "<trk><trkseg>\n";
    for (int i = 0; i < count; ++i) {
        char line[200];
        std::snprintf(line, sizeof line,
                      "<trkpt lat=\"35.%04d\" lon=\"139.2\"><ele>%d.5</ele>"
                      "<time>2026-05-17T00:%02d:%02dZ</time></trkpt>\n",
                      i, 100 + i, i / 60, i % 60);
        body += line;
    }
    return body + "</trkseg></trk>\n";
}

class LoadGpxTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ta-load-gpx-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& content) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    int Load(const std::string& path) { return LoadGpx(track_, path, false, 0.0, host_); }
    void ExpectOneMessage(const std::string& text) {
        ASSERT_EQ(host_.messages.size(), 1u);
        EXPECT_EQ(host_.messages[0], text);
    }

    test::ScopedTimeZone zone_{"UTC"};
    fs::path dir_;
    GpsTrack track_;
    test::RecordingHost host_;
};

TEST_F(LoadGpxTest, GoodFileIsReadAndAnalysed) {
    EXPECT_EQ(Load(Write("good.gpx", GpxDocument(Points(20)))), 1);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(track_.GetCount(), 20u);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 19);
    EXPECT_DOUBLE_EQ(track_.GetClimb(), 19.0);
}

TEST_F(LoadGpxTest, EmptyPathLeavesTheTrackAlone) {
    Load(Write("good.gpx", GpxDocument(Points(3))));
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(track_.GetCount(), 3u);
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(LoadGpxTest, MissingFileOrFolderIsNotFound) {
    Load(Write("good.gpx", GpxDocument(Points(3))));
    EXPECT_EQ(Load((dir_ / "missing.gpx").string()), 1);
    EXPECT_TRUE(track_.IsEmpty());
    EXPECT_EQ(Load((dir_ / "no-folder" / "missing.gpx").string()), 1);
    EXPECT_EQ(Load((dir_ / "good.gpx" / "x.gpx").string()), 1);
    ASSERT_EQ(host_.messages.size(), 3u);
    for (const auto& message : host_.messages) EXPECT_EQ(message, "ファイルが見つかりません。");
}

TEST_F(LoadGpxTest, InvalidNames) {
    EXPECT_EQ(Load(std::string("a\0b.gpx", 7)), 1);
    EXPECT_EQ(Load(std::string(5000, 'n')), 1);
    ASSERT_EQ(host_.messages.size(), 2u);
    for (const auto& message : host_.messages) EXPECT_EQ(message, "ファイル名が正しくないか、空です。");
}

TEST_F(LoadGpxTest, FolderInsteadOfFile) {
    EXPECT_EQ(Load(dir_.string()), 1);
    ExpectOneMessage("エラーです。hr=8007010b");
}

TEST_F(LoadGpxTest, EmptyFileAndGarbage) {
    Load(Write("empty.gpx", ""));
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    Load(Write("garbage.gpx", garbage));
    ASSERT_EQ(host_.messages.size(), 2u);
    EXPECT_EQ(host_.messages[0], "エラーです。hr=c00ce503");
    EXPECT_EQ(host_.messages[1].rfind("エラーです。hr=c00ce5", 0), 0u) << host_.messages[1];
    EXPECT_TRUE(track_.IsEmpty());
}

TEST_F(LoadGpxTest, FileBrokenOffInTheTenthPointKeepsTheFirstNine) {
    const std::string whole = GpxDocument(Points(20));
    size_t cut = 0;
    for (int i = 0; i < 10; ++i) cut = whole.find("<trkpt", cut + 1);
    Load(Write("cut.gpx", whole.substr(0, cut + 20)));
    ExpectOneMessage("エラーです。hr=c00ce505");
    // The tenth start tag never completed; the nine before it are kept and analysed.
    EXPECT_EQ(track_.GetCount(), 9u);
    EXPECT_EQ(track_.GetTotalTime().GetTotalSeconds(), 8);
    EXPECT_DOUBLE_EQ(track_.GetHighestElevation(), 108.5);
}

TEST_F(LoadGpxTest, UnrepresentableTimeEndsTheLoadWithTheEarlierPointsAnalysed) {
    std::string body = Points(5);
    body.insert(body.find("</trkseg>"),
                "<trkpt lat=\"36\" lon=\"139\"><time>0000-00-00T00:00:00Z</time></trkpt>"
                "<trkpt lat=\"37\" lon=\"139\"/>");
    EXPECT_EQ(Load(Write("time.gpx", GpxDocument(body))), 1);
    ExpectOneMessage("エラーです。hr=8007000d");
    EXPECT_EQ(track_.GetCount(), 6u);
    EXPECT_EQ(track_.GetTail().GetTime().GetTime(), 0);
}

TEST_F(LoadGpxTest, DeepNestingAndHugeAttributes) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    deep += "<trkpt lat=\"1\" lon=\"2\"/>";
    for (int i = 0; i < 100000; ++i) deep += "</a>";
    Load(Write("deep.gpx", GpxDocument(deep)));
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(track_.GetCount(), 1u);

    const std::string huge(8 << 20, '9');
    Load(Write("huge.gpx", GpxDocument("<trkpt lat=\"" + huge + "\" lon=\"1\" name=\"" + huge + "\"/>")));
    EXPECT_TRUE(host_.messages.empty());
    ASSERT_EQ(track_.GetCount(), 1u);
    EXPECT_DOUBLE_EQ(track_.GetHead().GetLatitude(), 1e260);  // read from the first 260 digits
}

TEST_F(LoadGpxTest, EntityBombFailsFastWithBoundedMemory) {
    std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n<!ENTITY a0 \"lollollollollollol\">\n";
    for (int i = 1; i < 12; ++i) {
        doc += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) doc += "&a" + std::to_string(i - 1) + ";";
        doc += "\">\n";
    }
    doc += "]>\n<gpx><trkpt lat=\"1\" lon=\"1\"><ele>&a11;</ele></trkpt></gpx>\n";
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    Load(Write("bomb.gpx", doc));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    ExpectOneMessage("エラーです。hr=c00ce600");
    EXPECT_LT(elapsed, std::chrono::seconds(1));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes
    EXPECT_TRUE(track_.IsEmpty());
}

TEST_F(LoadGpxTest, ExternalEntitiesAreNeverLoaded) {
    const std::string secret = Write("secret.txt", "12345");
    Load(Write("external.gpx", "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file://" +
                                   secret + "\">]>\n<gpx><trkpt lat=\"1\" lon=\"1\"><ele>&x;</ele></trkpt></gpx>"));
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_TRUE(track_.IsEmpty() || track_.GetHead().GetElevation() != 12345.0);

    host_.messages.clear();
    Load(Write("dtd.gpx", "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx SYSTEM \"file://" + secret +
                              "\">\n<gpx><trkpt lat=\"1\" lon=\"1\"/></gpx>"));
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(track_.GetCount(), 1u);
}

TEST_F(LoadGpxTest, SpeedLimitIsApplied) {
    std::string body = "<trkpt lat=\"35\" lon=\"139\"><time>2026-05-17T00:00:00Z</time></trkpt>"
                       "<trkpt lat=\"35.01\" lon=\"139\"><time>2026-05-17T00:00:10Z</time></trkpt>"
                       "<trkpt lat=\"35.0101\" lon=\"139\"><time>2026-05-17T00:00:20Z</time></trkpt>";
    LoadGpx(track_, Write("fast.gpx", GpxDocument(body)), true, 100.0, host_);
    EXPECT_EQ(track_.GetCount(), 2u);
    LoadGpx(track_, Write("fast.gpx", GpxDocument(body)), false, 100.0, host_);
    EXPECT_EQ(track_.GetCount(), 3u);
}

TEST_F(LoadGpxTest, ThrowingHostDoesNotEscape) {
    struct ThrowingHost : MessageHost {
        void ShowMessage(const std::string&) override { throw std::runtime_error("no display"); }
    } host;
    EXPECT_EQ(LoadGpx(track_, (dir_ / "missing.gpx").string(), false, 0.0, host), 1);
}

}  // namespace
}  // namespace trackalbum
