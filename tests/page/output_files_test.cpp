// Output names, the page save and the page address.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "page/OutputFiles.h"
#include "page/PageWriter.h"
#include "page_support.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

TEST(OutputNamesTest, NamesFollowTheGpxFileAndTheKind) {
    const std::pair<const char*, const char*> bases[] = {
        {"/logs/Walk.GPX", "Walk"}, {"a.gpx.gpx", "a.gpx"}, {"walk.xml", "walk.xml"}, {".gpx", ""}, {"x.gpxz", "x.gpxz"}};
    for (const auto& [path, base] : bases) EXPECT_EQ(GetOutputBaseName(path), base) << path;
    EXPECT_EQ(GetPagePath(2, "/logs/Ride.Gpx"), "html/Ride_route.html");
    EXPECT_EQ(GetPagePath(7, "Ride.gpx"), "html/Ride_picture_route_grade.html");
}

class OutputFolderTest : public ::testing::Test {
protected:
    test::ScratchFolder folder_{test::ScratchFolder::Enter};
};

TEST_F(OutputFolderTest, EnsureFolderCreatesOneLevelOnly) {
    EnsureFolder("deep/er");  // parent missing: nothing, no report
    EXPECT_FALSE(fs::exists("deep"));
}

TEST_F(OutputFolderTest, SaveWritesTheBytesRepairedWithoutMarkOrLeftovers) {
    EnsureFolder("html");
    const std::string text = "<html>\r\n  <title>多摩川</title>\r\n</html>\r\n";
    SavePageText("html/a.html", text);
    EXPECT_EQ(ReadFile("html/a.html"), text);
    SavePageText("html/a.html", "img/\x82\xA0.jpg");  // replaces the old text wholly
    EXPECT_EQ(ReadFile("html/a.html"), "img/\xEF\xBF\xBD\xEF\xBF\xBD.jpg");
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), fs::directory_iterator()), 1);
}

TEST_F(OutputFolderTest, FailedSaveRaisesTheFileErrorAndLeavesTheOldPage) {
    EnsureFolder("html");
    SavePageText("html/a.html", "old page");
    chmod("html/a.html", 0444);  // refused also for the superuser
    try {
        SavePageText("html/a.html", "new page");
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("html/a.html"), std::string::npos);
    }
    EXPECT_EQ(ReadFile("html/a.html"), "old page");
    chmod("html/a.html", 0644);
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    chmod("html", 0555);
    EXPECT_THROW(SavePageText("html/a.html", "new page"), FileError);
    chmod("html", 0755);
    EXPECT_EQ(ReadFile("html/a.html"), "old page");
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), fs::directory_iterator()), 1);
}

TEST_F(OutputFolderTest, PageAddressIsTheEncodedAbsolutePath) {
    PageOptions options;
    options.SetGpsFile("/logs/No#1 100%?.gpx");
    EXPECT_THROW(GetPageAddress(2, options), FileError);
    EnsureFolder("html");
    SavePageText(GetPagePath(2, options.GetGpsFile()), "page");
    EXPECT_EQ(GetPageAddress(2, options), "file://" + fs::current_path().string() + "/html/No%231 100%25%3F_route.html");
}

TEST_F(OutputFolderTest, WritePageSkipsAnEmptyTrackAndDrawsChartsForProfiles) {
    const PageOptions options = testing::MakeOptions();
    EnsureFolder("html");
    EnsureFolder("html/img");
    std::string pageText = "previous";
    for (const int kind : {2, 1, 3, 6, 7}) WritePage(kind, options, GpsTrack(), PictureList(), "1.0", pageText);
    EXPECT_EQ(pageText, "previous");
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator("html"), fs::recursive_directory_iterator()), 1);
    WritePage(6, options, testing::MakeOuting(), PictureList(), "1.0", pageText);
    EXPECT_EQ(ReadFile("html/Ride_route_grade.html"), pageText);
    EXPECT_TRUE(fs::exists("html/img/Ride_ele.gif"));
    EXPECT_TRUE(fs::exists("html/img/Ride_dis.gif"));
}

}  // namespace
}  // namespace trackalbum
