// Output names, the page save and the page address.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "page/OutputFiles.h"
#include "page/PageWriter.h"
#include "page_support.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;

TEST(OutputNamesTest, BaseNameDropsFolderAndGpxEnding) {
    EXPECT_EQ(GetOutputBaseName("/logs/Walk.GPX"), "Walk");
    EXPECT_EQ(GetOutputBaseName("a.gpx.gpx"), "a.gpx");
    EXPECT_EQ(GetOutputBaseName("walk.xml"), "walk.xml");
    EXPECT_EQ(GetOutputBaseName("Ride.Gpx"), "Ride");
    EXPECT_EQ(GetOutputBaseName(".gpx"), "");
    EXPECT_EQ(GetOutputBaseName("gpx"), "gpx");
    EXPECT_EQ(GetOutputBaseName("logs/x.gpxz"), "x.gpxz");
}

TEST(OutputNamesTest, PageAndChartPathsFollowTheKind) {
    EXPECT_EQ(GetPagePath(2, "/logs/Ride.Gpx"), "html/Ride_route.html");
    EXPECT_EQ(GetPagePath(1, "Ride.gpx"), "html/Ride_picture.html");
    EXPECT_EQ(GetPagePath(3, "Ride.gpx"), "html/Ride_picture_route.html");
    EXPECT_EQ(GetPagePath(6, "Ride.gpx"), "html/Ride_route_grade.html");
    EXPECT_EQ(GetPagePath(7, "/logs/Ride.Gpx"), "html/Ride_picture_route_grade.html");
    EXPECT_EQ(GetElevationChartPath("/logs/Ride.Gpx"), "html/img/Ride_ele.gif");
    EXPECT_EQ(GetSpeedChartPath("/logs/Ride.Gpx"), "html/img/Ride_dis.gif");
}

class OutputFolderTest : public ::testing::Test {
protected:
    testing::TempFolder folder_;
    testing::CurrentDirectory here_{folder_.GetPath()};
};

TEST_F(OutputFolderTest, EnsureFolderCreatesOneLevelAndLeavesFilesAlone) {
    EnsureFolder("html");
    EnsureFolder("html/img");
    EXPECT_TRUE(fs::is_directory("html/img"));
    EnsureFolder("html");  // already there
    EnsureFolder("deep/er");  // parent missing: nothing, no report
    EXPECT_FALSE(fs::exists("deep"));
    std::ofstream("plain") << "keep";
    EnsureFolder("plain");
    EXPECT_EQ(ReadFileBytes("plain"), "keep");
}

TEST_F(OutputFolderTest, SaveWritesTheBytesWithoutMark) {
    EnsureFolder("html");
    const std::string text = "<html>\r\n  <title>多摩川</title>\r\n</html>\r\n";
    SavePageText("html/a.html", text);
    EXPECT_EQ(ReadFileBytes("html/a.html"), text);
    SavePageText("html/a.html", "short");  // replaces, nothing of the old text stays
    EXPECT_EQ(ReadFileBytes("html/a.html"), "short");
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), fs::directory_iterator()), 1);  // no leftovers
}

TEST_F(OutputFolderTest, SaveThroughALinkWritesItsTarget) {
    EnsureFolder("html");
    EnsureFolder("elsewhere");
    SavePageText("elsewhere/a.html", "old");
    fs::create_symlink("../elsewhere/a.html", "html/a.html");
    SavePageText("html/a.html", "new");
    EXPECT_TRUE(fs::is_symlink("html/a.html"));
    EXPECT_EQ(ReadFileBytes("elsewhere/a.html"), "new");
}

TEST_F(OutputFolderTest, SaveRepairsInvalidUtf8) {
    EnsureFolder("html");
    SavePageText("html/a.html", "img/\x82\xA0.jpg");
    EXPECT_EQ(ReadFileBytes("html/a.html"), "img/\xEF\xBF\xBD\xEF\xBF\xBD.jpg");
}

TEST_F(OutputFolderTest, SaveIntoAFileNamedLikeTheFolderFails) {
    std::ofstream("html") << "not a folder";
    EnsureFolder("html");
    try {
        SavePageText("html/a.html", "text");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetPath(), "html/a.html");
        EXPECT_NE(std::string(error.what()).find("html/a.html"), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes("html"), "not a folder");
}

TEST_F(OutputFolderTest, FailedSaveLeavesTheOldPage) {
    EnsureFolder("html");
    SavePageText("html/a.html", "old page");
    fs::create_directory("html/folder.html");
    EXPECT_THROW(SavePageText("html/folder.html", "text"), FileError);
    chmod("html/a.html", 0444);
    EXPECT_THROW(SavePageText("html/a.html", "new page"), FileError);
    EXPECT_EQ(ReadFileBytes("html/a.html"), "old page");
    chmod("html/a.html", 0644);
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    chmod("html", 0555);
    EXPECT_THROW(SavePageText("html/a.html", "new page"), FileError);
    chmod("html", 0755);
    EXPECT_EQ(ReadFileBytes("html/a.html"), "old page");
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), fs::directory_iterator()), 2);
}

TEST_F(OutputFolderTest, PageAddressIsTheAbsoluteFilePath) {
    PageOptions options;
    options.SetGpsFile("/logs/Ride.gpx");
    EXPECT_THROW(GetPageAddress(2, options), FileError);
    EnsureFolder("html");
    SavePageText(GetPagePath(2, "Ride.gpx"), "page");
    const std::string expected = "file://" + fs::current_path().string() + "/html/Ride_route.html";
    EXPECT_EQ(GetPageAddress(2, options), expected);
    EXPECT_THROW(GetPageAddress(3, options), FileError);
}

TEST_F(OutputFolderTest, PageAddressEncodesWhatEndsAPath) {
    PageOptions options;
    options.SetGpsFile("No#1 100%?.gpx");
    EnsureFolder("html");
    SavePageText(GetPagePath(2, options.GetGpsFile()), "page");
    EXPECT_TRUE(GetPageAddress(2, options).ends_with("/html/No%231 100%25%3F_route.html"));
}

class WritePageTest : public OutputFolderTest {
protected:
    PageOptions options_ = testing::MakeOptions();
    PictureList pictures_;
};

TEST_F(WritePageTest, EmptyTrackWritesNothing) {
    EnsureFolder("html");
    EnsureFolder("html/img");
    std::string pageText = "previous";
    for (const int kind : {2, 1, 3, 6, 7}) WritePage(kind, options_, GpsTrack(), pictures_, "1.0", pageText);
    EXPECT_EQ(pageText, "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), fs::directory_iterator()), 1);  // img only
    EXPECT_TRUE(fs::is_empty("html/img"));
}

TEST_F(WritePageTest, ProfilePageDrawsBothChartsFirst) {
    EnsureFolder("html");
    EnsureFolder("html/img");
    std::string pageText;
    WritePage(6, options_, testing::MakeOuting(), pictures_, "1.0", pageText);
    EXPECT_EQ(ReadFileBytes("html/Ride_route_grade.html"), pageText);
    EXPECT_TRUE(fs::exists("html/img/Ride_ele.gif"));
    EXPECT_TRUE(fs::exists("html/img/Ride_dis.gif"));
    EXPECT_NE(pageText.find("<img src=\"img\\Ride_ele.gif\" />"), std::string::npos);
    WritePage(2, options_, testing::MakeOuting(), pictures_, "1.0", pageText);
    EXPECT_EQ(ReadFileBytes("html/Ride_route.html"), pageText);
}

TEST_F(WritePageTest, MissingFolderIsAFileError) {
    std::string pageText;
    EXPECT_THROW(WritePage(2, options_, testing::MakeOuting(), pictures_, "1.0", pageText), FileError);
}

}  // namespace
}  // namespace trackalbum
