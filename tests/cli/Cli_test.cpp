// End-to-end runs of the built command-line program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cli/CliRunner.h"

namespace trackalbum::cli_test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::string Walk = std::string(SOURCE_DIR) + "/examples/walk.gpx";
const std::string Photos = std::string(SOURCE_DIR) + "/examples/photos";

constexpr const char* EmptyGpx =
    "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
    "<trk><trkseg></trkseg></trk></gpx>\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> HtmlFiles(const std::string& folder) {
    std::vector<std::string> names;
    if (!fs::is_directory(folder + "/html")) return names;
    for (const auto& entry : fs::directory_iterator(folder + "/html")) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CliTest : public ::testing::Test {
protected:
    CliRun Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--profile", folder / "profile.conf"});
        return RunCli(arguments, folder.Path());
    }
    TemporaryFolder folder;
};

TEST_F(CliTest, BadUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"}, {"--gpx"}, {"--tz", "13"}, {"--tz", "9h"}, {"--compression", "201"},
        {"--compression", "-1"}, {"--clock-minutes", "3.5"}, {"--set", "NoSuchKey=1"},
        {"--set", "MapType=3"}, {"--set", "AutoZoom=2"}, {"--set", "PathWidth=wide"}, {"--set", "PathWidth"},
        {"--open=yes"}, {"--copy-photos"}, {"--copy-photos", "--gpx", "a.gpx"}, {"-C", "does/not/exist"},
    };
    for (const auto& arguments : cases) {
        CliRun run = Run(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments[0] << " " << (arguments.size() > 1 ? arguments[1] : "");
        EXPECT_NE(run.err, "") << arguments[0];
        EXPECT_EQ(run.out, "") << arguments[0];
    }
    EXPECT_FALSE(fs::exists(folder / "profile.conf"));
}

TEST_F(CliTest, HelpAndVersion) {
    CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_THAT(help.out, HasSubstr("--gpx PATH"));
    CliRun version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_THAT(version.out, StartsWith("trackalbum-cli "));
}

TEST_F(CliTest, TrackWithoutPhotosWritesTwoKindsAndPrintsTheAddressLast) {
    CliRun run = Run({"--gpx", Walk, "--page-name", "里山さんぽ"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(HtmlFiles(folder.Path()), ::testing::ElementsAre("walk_route.html", "walk_route_grade.html"));
    EXPECT_EQ(run.LastLine(), "file://" + folder.Path() + "/html/walk_route.html");
    std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(lines.front(), "地図設定値の保存完了");
    EXPECT_EQ(lines[lines.size() - 2], "適用処理完了");
    EXPECT_THAT(run.out, HasSubstr("GPS記録開始：2026/05/17 09:30:00\nルートのみHTML出力\n"));
    EXPECT_THAT(ReadFile(folder / "html/walk_route.html"), HasSubstr("里山さんぽ"));
    EXPECT_TRUE(fs::exists(folder / "profile.conf"));
}

TEST_F(CliTest, PhotosGiveAllFiveKindsAndTheListAfterApply) {
    CliRun run = Run({"--gpx", Walk, "--photos", Photos, "--clock-minutes", "3", "--compression", "100"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(HtmlFiles(folder.Path()).size(), 5u);
    EXPECT_EQ(run.LastLine(), "file://" + folder.Path() + "/html/walk_picture_route.html");
    EXPECT_THAT(run.out, HasSubstr("ファイル名\tコメント\t撮影日\t経度\t緯度\n"));
    EXPECT_THAT(run.out, HasSubstr("\nIMG_0001.jpg\t"));
    EXPECT_THAT(run.out, HasSubstr("プロファイルのHTML出力"));
}

TEST_F(CliTest, CopyPhotosFillsTheImageFolderInBothModes) {
    const fs::path img = fs::path(folder.Path()) / "html" / "img";
    CliRun shrink = Run({"--gpx", Walk, "--photos", Photos, "--copy-photos"});
    ASSERT_EQ(shrink.exitStatus, 0) << shrink.err;
    EXPECT_EQ(shrink.LastLine(), "file://" + folder.Path() + "/html/walk_picture_route.html");
    EXPECT_THAT(shrink.err, HasSubstr("100%"));
    EXPECT_THAT(shrink.out, HasSubstr("失敗: memo.txt"));  // no picture, so nothing to shrink
    EXPECT_FALSE(fs::exists(img / "memo.txt"));
    ASSERT_TRUE(fs::exists(img / "IMG_0001.jpg"));
    EXPECT_LT(fs::file_size(img / "IMG_0001.jpg"), fs::file_size(fs::path(Photos) / "IMG_0001.jpg"));

    CliRun copy = Run({"--gpx", Walk, "--photos", Photos, "--copy-photos", "--keep-original-size"});
    ASSERT_EQ(copy.exitStatus, 0) << copy.err;
    for (const auto& entry : fs::directory_iterator(Photos)) {
        const fs::path target = img / entry.path().filename();
        ASSERT_TRUE(fs::exists(target)) << target;
        EXPECT_EQ(fs::file_size(target), fs::file_size(entry.path())) << target;
    }
}

TEST_F(CliTest, OutputsGoUnderTheDirectoryOfDashCWithInputsFromTheStart) {
    fs::create_directories(folder / "out");
    fs::copy_file(Walk, folder / "walk.gpx");
    CliRun run = Run({"--gpx", "walk.gpx", "-C", "out", "--stats"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::exists(folder / "out/html/walk_route.html"));
    EXPECT_FALSE(fs::exists(folder / "html"));
    EXPECT_THAT(run.out, HasSubstr("合計時間    01:59:58\n"));
    EXPECT_THAT(run.out, HasSubstr("全体  "));
}

TEST_F(CliTest, RunOptionsReachTheRun) {
    CliRun utc = Run({"--gpx", Walk, "--tz", "0", "--photos", Photos, "--clock-minutes", "-60"});
    ASSERT_EQ(utc.exitStatus, 0) << utc.err;
    EXPECT_THAT(utc.out, HasSubstr("GPS記録開始：2026/05/17 00:30:00\n"));
    EXPECT_THAT(utc.out, HasSubstr("最初の写真 ：2026/05/17 08:20:00\n"));  // the camera is an hour slow

    CliRun full = Run({"--gpx", Walk, "--stats"});
    CliRun limited = Run({"--gpx", Walk, "--stats", "--speed-limit", " 3km"});
    ASSERT_EQ(limited.exitStatus, 0) << limited.err;
    auto distance = [](const std::string& out) { return out.substr(out.find("距離"), 30); };
    EXPECT_NE(distance(full.out), distance(limited.out));
}

TEST_F(CliTest, WithoutGpxOnlyTheSettingsAreStored) {
    CliRun run = Run({"--set", "APIKey=a$HOME\"b", "--set", "PathRed=300", "--set", "ZoomLevel=25"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("設定値の保存だけ実行しました。"));
    EXPECT_FALSE(fs::exists(folder / "html"));
    EXPECT_THAT(run.LastLine(), HasSubstr("適用処理完了"));
    std::string profile = ReadFile(folder / "profile.conf");
    EXPECT_THAT(profile, HasSubstr("PathRed=44\n"));
    EXPECT_THAT(profile, HasSubstr("ZoomLevel=25\n"));  // typed values are not clamped

    // The next run loads the stored zoom with its clamp, and the key verbatim.
    CliRun again = Run({"--gpx", Walk, "--set", "AutoZoom=0"});
    ASSERT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_THAT(ReadFile(folder / "profile.conf"), HasSubstr("ZoomLevel=17\n"));
    EXPECT_THAT(ReadFile(folder / "html/walk_route.html"), HasSubstr("a$HOME&quot;b"));
}

TEST_F(CliTest, UserProfileIsTheXdgFile) {
    CliRun run = RunCli({"--set", "PathWidth=7"}, folder.Path());
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(ReadFile(folder / "config/Trackalbum.conf"), HasSubstr("PathWidth=7\n"));
}

TEST_F(CliTest, GarbageProfileGivesDefaults) {
    WriteFile(folder / "profile.conf", std::string("\x01\xFF[[[=\n\0zz", 10));
    CliRun run = Run({"--gpx", Walk});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(ReadFile(folder / "profile.conf"), HasSubstr("PathWidth=10\n"));
}

class CliBadInputTest : public CliTest {
protected:
    // A first good run, so that there is earlier output to protect.
    void WriteEarlierPages() {
        CliRun run = Run({"--gpx", Walk});
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        earlierPage = ReadFile(folder / "html/walk_route.html");
    }
    std::string earlierPage;
};

TEST_F(CliBadInputTest, GpxPathThatIsAFolder) {
    fs::create_directories(folder / "walk.gpx");
    CliRun run = Run({"--gpx", folder / "walk.gpx"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err, "");
    EXPECT_THAT(run.out, Not(HasSubstr("適用処理完了")));
    EXPECT_TRUE(HtmlFiles(folder.Path()).empty());

    // With pages of an earlier run, the old page is shown and left as it was.
    WriteEarlierPages();
    fs::remove(folder / "walk.gpx");
    fs::create_directories(folder / "walk.gpx");
    CliRun again = Run({"--gpx", folder / "walk.gpx"});
    EXPECT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_EQ(again.LastLine(), "file://" + folder.Path() + "/html/walk_route.html");
    EXPECT_EQ(ReadFile(folder / "html/walk_route.html"), earlierPage);
}

TEST_F(CliBadInputTest, EmptyTrackWritesNothing) {
    WriteFile(folder / "empty.gpx", EmptyGpx);
    CliRun run = Run({"--gpx", folder / "empty.gpx"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(Lines(run.out).back(), "HTML表示開始");
    EXPECT_NE(run.err, "");
    EXPECT_TRUE(HtmlFiles(folder.Path()).empty());
}

TEST_F(CliBadInputTest, FileNamedHtmlWhereTheFolderShouldBe) {
    WriteFile(folder / "html", "not a folder");
    CliRun run = Run({"--gpx", Walk});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err, "");
    EXPECT_THAT(run.out, Not(HasSubstr("ルートのみHTML出力")));
    EXPECT_EQ(ReadFile(folder / "html"), "not a folder");
}

TEST_F(CliBadInputTest, OutputFolderThatCannotBeWritten) {
    WriteEarlierPages();
    // A folder where the page file should be cannot be replaced by any user, root included.
    fs::remove(folder / "html/walk_route_grade.html");
    fs::create_directories(folder / "html/walk_route_grade.html/inside");
    CliRun run = Run({"--gpx", Walk});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.err, HasSubstr("walk_route_grade.html"));
    EXPECT_THAT(run.out, Not(HasSubstr("適用処理完了")));
    EXPECT_EQ(ReadFile(folder / "html/walk_route.html").size(), earlierPage.size());
    if (geteuid() != 0) {
        fs::remove_all(folder / "html/walk_route_grade.html");
        fs::permissions(folder / "html", fs::perms::owner_read | fs::perms::owner_exec);
        CliRun locked = Run({"--gpx", Walk});
        EXPECT_EQ(locked.exitStatus, 1);
        EXPECT_EQ(ReadFile(folder / "html/walk_route.html"), earlierPage);
    }
}

TEST_F(CliBadInputTest, ReadOnlyExistingPageEndsApplyAndStaysAsItWas) {
    WriteEarlierPages();
    fs::permissions(folder / "html/walk_route.html", fs::perms::owner_read);
    CliRun run = Run({"--gpx", Walk, "--page-name", "second"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.err, HasSubstr("walk_route.html"));
    EXPECT_THAT(run.out, Not(HasSubstr("適用処理完了")));
    EXPECT_EQ(ReadFile(folder / "html/walk_route.html"), earlierPage);
}

TEST_F(CliBadInputTest, EnormousPageNameAndOddCharacters) {
    std::string huge(120000, 'x');  // near the limit of one argument
    CliRun big = Run({"--gpx", Walk, "--page-name", huge});
    ASSERT_EQ(big.exitStatus, 0) << big.err.substr(0, 200);
    EXPECT_THAT(ReadFile(folder / "html/walk_route.html"), HasSubstr(huge));

    const std::string odd = "<b>&\"'\t\\%s%n\xFF\xFE 日本語";
    CliRun run = Run({"--gpx", Walk, "--page-name", odd, "--set", "APIKey=" + odd, "--set", "APIHost=" + odd,
                      "--set", "IconHost=" + odd, "--speed-limit", odd, "--photos", folder / "no such"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    std::string page = ReadFile(folder / "html/walk_route.html");
    EXPECT_THAT(page, HasSubstr("&lt;b&gt;&amp;&quot;"));
    EXPECT_THAT(page, Not(HasSubstr("<b>&")));
    EXPECT_THAT(page, Not(HasSubstr("\xFF")));  // every page is valid UTF-8
}

TEST_F(CliBadInputTest, OddGpxFileNames) {
    const std::string name = "a b#c%d?e 日本.GPX";
    fs::copy_file(Walk, folder / name);
    CliRun run = Run({"--gpx", folder / name});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::exists(folder / "html/a b#c%d?e 日本_route.html"));
    EXPECT_THAT(run.LastLine(), HasSubstr("/html/a b%23c%25d%3Fe 日本_route.html"));

    // A name so long that the page's file name cannot exist: a file error, not a crash.
    const std::string longName = std::string(250, 'n') + ".gpx";
    fs::copy_file(Walk, folder / longName);
    CliRun tooLong = Run({"--gpx", folder / longName});
    EXPECT_EQ(tooLong.exitStatus, 1);
    EXPECT_NE(tooLong.err, "");
}

}  // namespace
}  // namespace trackalbum::cli_test
