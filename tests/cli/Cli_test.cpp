// End-to-end runs of the built command-line program, each in a folder of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using test::ReadFile;

const std::string Walk = std::string(SOURCE_DIR) + "/examples/walk.gpx";
const std::string Photos = std::string(SOURCE_DIR) + "/examples/photos";

std::string Quoted(std::string text) {
    for (size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4) text.replace(at, 1, "'\\''");
    return "'" + text + "'";
}

struct CliRun {
    int exitStatus;
    std::string out, err;
};

class CliTest : public ::testing::Test {
protected:
    // HOME and XDG_CONFIG_HOME lie in the folder: the user's own profile is never touched.
    CliRun Run(const std::vector<std::string>& arguments, bool userProfile = false) {
        std::string command = "cd " + Quoted(folder) + " && env -i HOME=" + Quoted(folder) + " XDG_CONFIG_HOME=" +
                              Quoted(folder / "config") + " TZ=Asia/Tokyo PATH=/usr/bin:/bin " + Quoted(BINARY_DIR "/trackalbum-cli");
        if (!userProfile) command += " --profile profile.conf";
        for (const std::string& argument : arguments) command += " " + Quoted(argument);
        const int status = std::system((command + " >.out 2>.err").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128, ReadFile(folder / ".out"), ReadFile(folder / ".err")};
    }
    std::string Page(const std::string& name) { return ReadFile(folder / "html" / name); }
    std::string Address(const std::string& name) { return "file://" + (folder / "html" / name).string() + "\n"; }

    const test::ScratchFolder scratch_;
    const fs::path folder = scratch_.Path();
};

TEST_F(CliTest, BadUsageExitsWithTwoAndStoresNothing) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--gpx"}, {"--tz", "13"}, {"--tz", "9h"}, {"--compression", "201"}, {"--clock-minutes", "3.5"},
             {"--set", "NoSuchKey=1"}, {"--set", "MapType=3"}, {"--set", "AutoZoom=2"}, {"--set", "PathWidth=wide"},
             {"--set", "PathWidth"}, {"--open=yes"}, {"--copy-photos", "--gpx", "a.gpx"}, {"-C", "does/not/exist"}}) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments[0] << " " << arguments.back();
        EXPECT_TRUE(run.out.empty() && !run.err.empty()) << arguments[0] << "\n" << run.out << run.err;
    }
    EXPECT_FALSE(fs::exists(folder / "profile.conf"));
}

TEST_F(CliTest, TrackWithoutPhotosWritesTwoKindsAndStoresTheUsersProfile) {
    const CliRun run = Run({"--gpx", Walk, "--page-name", "里山さんぽ", "--set", "PathWidth=7"}, true);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string header = "GPS記録開始：2026/05/17 09:30:00\n";
    EXPECT_EQ(run.out, "地図設定値の保存完了\n" + header + header + "ルートのみHTML出力\n" + header + "HTML表示開始\n" +
                           header + "適用処理完了\n" + Address("walk_route.html"));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "html"), {}), 5);  // img, maps, ridefinder, kinds 2 and 6
    EXPECT_THAT(Page("walk_route_grade.html"), HasSubstr("里山さんぽ"));
    EXPECT_THAT(ReadFile(folder / "config/Trackalbum.conf"), HasSubstr("PathWidth=7\n"));
}

TEST_F(CliTest, PhotosGiveFiveKindsTheListAndTheCopyInBothModes) {
    const fs::path img = folder / "html" / "img";
    const CliRun shrink = Run({"--gpx", Walk, "--photos", Photos, "--tz", "0", "--clock-minutes", "-60", "--copy-photos"});
    ASSERT_EQ(shrink.exitStatus, 0) << shrink.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "html"), {}), 8);
    EXPECT_THAT(shrink.out, HasSubstr("GPS記録開始：2026/05/17 00:30:00\n最初の写真 ：2026/05/17 08:20:00\nプロファイル"));
    EXPECT_THAT(shrink.out, HasSubstr("適用処理完了\nファイル名\tコメント\t撮影日\t経度\t緯度\nIMG_0001.jpg\t"));
    EXPECT_THAT(shrink.out, HasSubstr("失敗: memo.txt"));  // no picture, so nothing to shrink
    EXPECT_THAT(shrink.out, testing::EndsWith("\n" + Address("walk_picture_route.html")));
    EXPECT_THAT(shrink.err, HasSubstr("100%"));
    EXPECT_LT(fs::file_size(img / "IMG_0001.jpg"), fs::file_size(fs::path(Photos) / "IMG_0001.jpg"));

    ASSERT_EQ(Run({"--gpx", Walk, "--photos", Photos, "--copy-photos", "--keep-original-size"}).exitStatus, 0);
    for (const auto& entry : fs::directory_iterator(Photos))
        EXPECT_EQ(ReadFile(img / entry.path().filename()), ReadFile(entry.path())) << entry.path();
}

TEST_F(CliTest, OutputsGoUnderDashCAndTheSpeedLimitIsReadAsTypedText) {
    fs::create_directories(folder / "out");
    fs::copy_file(Walk, folder / "walk.gpx");
    const CliRun full = Run({"--gpx", "walk.gpx", "-C", "out", "--stats"});
    ASSERT_EQ(full.exitStatus, 0) << full.err;
    EXPECT_TRUE(fs::exists(folder / "out/html/walk_route.html"));
    EXPECT_FALSE(fs::exists(folder / "html"));
    const CliRun limited = Run({"--gpx", Walk, "--stats", "--speed-limit", " 3km"});
    auto distance = [](const std::string& out) { return out.substr(out.find("距離"), 30); };
    EXPECT_NE(distance(full.out), distance(limited.out));
}

TEST_F(CliTest, SetTakesValuesAsTypedAndTheNextLoadClamps) {
    test::WriteFile(folder / "profile.conf", std::string("\x01\xFF[[[=\n\0zz", 10));
    const CliRun run = Run({"--set", "APIKey=a$HOME\"b", "--set", "PathRed=300", "--set", "ZoomLevel=25", "--set",
                            "AerialTileMaxZoom=40", "--set", "OverlayTileUrl=https://t.example/{z}/{x}/{y}?k={key}"});
    EXPECT_EQ(run.out, "地図設定値の保存完了\n設定値の保存だけ実行しました。\n設定値の保存だけ実行しました。\n適用処理完了\n");
    EXPECT_FALSE(fs::exists(folder / "html"));
    // The garbage profile gave the defaults; the keys are written in the panel's order.
    EXPECT_EQ(ReadFile(folder / "profile.conf"),
              "[Parameters]\nAPIKey=a$HOME\"b\nAutoZoom=1\nController=0\nDisplayType=0\nDisplayWidth=100\n"
              "DisplayHeight=100\nMapType=0\nMapTypeBtn=0\nPathRed=44\nPathGreen=0\nPathBlue=0\nPathWidth=10\n"
              "ZoomLevel=25\nUpRed=255\nUpGreen=0\nUpBlue=0\nDownRed=0\nDownGreen=255\nDownBlue=0\nFlatRed=0\n"
              "FlatGreen=0\nFlatBlue=255\nColoring=1\nIconTrace=1\nProfWidth=800\nProfHeight=600\nScale=1\n"
              "Overview=1\nJapanese=1\nAPIHost=.\nIconHost=.\n"
              "NormalTileUrl=https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png\n"
              "NormalTileAttribution=<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>\n"
              "NormalTileMaxZoom=18\n"
              "AerialTileUrl=https://cyberjapandata.gsi.go.jp/xyz/seamlessphoto/{z}/{x}/{y}.jpg\n"
              "AerialTileAttribution=<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>\n"
              "AerialTileMaxZoom=22\nOverlayTileUrl=https://t.example/{z}/{x}/{y}?k={key}\n"
              "OverlayTileAttribution=\nOverlayTileMaxZoom=18\n");

    ASSERT_EQ(Run({"--gpx", Walk, "--set", "AutoZoom=0"}).exitStatus, 0);
    EXPECT_THAT(ReadFile(folder / "profile.conf"), HasSubstr("ZoomLevel=17\n"));
    EXPECT_THAT(Page("walk_route.html"), HasSubstr("a$HOME&quot;b"));
}

TEST_F(CliTest, UnreadableOrEmptyTrackEndsAtTheShowStep) {
    test::WriteFile(folder / "empty.gpx", "<?xml version=\"1.0\"?><gpx><trk><trkseg></trkseg></trk></gpx>\n");
    fs::create_directories(folder / "walk.gpx");
    for (const char* gpx : {"empty.gpx", "walk.gpx"}) {
        const CliRun run = Run({"--gpx", folder / gpx});
        EXPECT_EQ(run.exitStatus, 1) << gpx;
        EXPECT_THAT(run.out, testing::EndsWith("\nHTML表示開始\n")) << gpx;
        EXPECT_NE(run.err, "") << gpx;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "html"), {}), 1);
}

TEST_F(CliTest, OutputThatCannotBeWrittenEndsApplyWithTheReason) {
    test::WriteFile(folder / "html", "not a folder");
    CliRun run = Run({"--gpx", Walk});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.out, Not(HasSubstr("ルートのみHTML出力")));
    EXPECT_EQ(ReadFile(folder / "html"), "not a folder");
    fs::remove(folder / "html");

    // A folder where a page should be cannot be replaced by anyone, root included.
    fs::create_directories(folder / "html/walk_route.html/inside");
    run = Run({"--gpx", Walk});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.err, HasSubstr("walk_route.html"));
    EXPECT_THAT(run.out, Not(HasSubstr("HTML出力")));
}

TEST_F(CliTest, TheRuntimeAndIconsLieBesideThePages) {
    ASSERT_EQ(Run({"--gpx", Walk, "--set", "AerialTileUrl=https://a.example/{z}/{x}/{y}.jpg?k={key}"}).exitStatus, 0);
    const std::string runtime = ReadFile(folder / "html/maps");
    EXPECT_THAT(runtime.substr(0, runtime.find('\n')),
                HasSubstr("\"aerial\":{\"url\":\"https://a.example/{z}/{x}/{y}.jpg?k={key}\""));
    EXPECT_THAT(runtime, HasSubstr("GMap2"));
    EXPECT_EQ(ReadFile(folder / "html/ridefinder/images/mm_20_red.png").substr(1, 3), "PNG");

    // A runtime that cannot be written ends Apply before the page is shown, with the system's reason.
    fs::remove_all(folder / "html");
    fs::create_directories(folder / "html/maps");
    const CliRun blocked = Run({"--gpx", Walk});
    EXPECT_EQ(blocked.exitStatus, 1);
    EXPECT_THAT(blocked.err, HasSubstr("html/maps"));
    EXPECT_THAT(blocked.out, Not(HasSubstr("HTML表示開始")));
}

TEST_F(CliTest, OddAndEnormousTextsAndNames) {
    const std::string huge(120000, 'x');  // near the limit of one argument
    ASSERT_EQ(Run({"--gpx", Walk, "--page-name", huge}).exitStatus, 0);
    EXPECT_THAT(Page("walk_route.html"), HasSubstr(huge));

    const std::string odd = "<b>&\"'\t\\%s%n\xFF\xFE 日本語";
    fs::copy_file(Walk, folder / "a b#c%d?e 日本.GPX");
    const CliRun run = Run({"--gpx", folder / "a b#c%d?e 日本.GPX", "--page-name", odd, "--set", "APIKey=" + odd,
                            "--set", "APIHost=" + odd, "--set", "IconHost=" + odd, "--speed-limit", odd, "--photos", "none"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string page = Page("a b#c%d?e 日本_route.html");
    EXPECT_THAT(page, Not(HasSubstr("<b>&")));
    EXPECT_THAT(page, Not(HasSubstr("\xFF")));  // every page is valid UTF-8

    fs::copy_file(Walk, folder / (std::string(250, 'n') + ".gpx"));  // no page file can have this long a name
    EXPECT_EQ(Run({"--gpx", folder / (std::string(250, 'n') + ".gpx")}).exitStatus, 1);
}

}  // namespace
}  // namespace trackalbum
