// Apply over the real document: the subsystems together, in a folder of its own.
#include "pipeline/Document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "pipeline/Apply.h"
#include "pipeline/ApplyDoubles.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The generator comment carries the time of writing; everything else must repeat exactly.
std::string WithoutWritingTime(std::string page) {
    size_t at = page.find("Outputted on ");
    if (at != std::string::npos) page.erase(at, page.find(" by ", at) - at);
    return page;
}

class DocumentApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Tokyo", 1);
        tzset();
        char pattern[] = "/tmp/ta-doc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        previous = fs::current_path();
        fs::current_path(folder);
        fs::copy_file(fs::path(SOURCE_DIR) / "examples/walk.gpx", folder / "walk.gpx");
        panel.GetCameraGpsPage().SetGpsFile("walk.gpx");
    }
    void TearDown() override {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    ApplyResult Run() {
        host = doubles::RecordingHost();
        return Apply(panel, store, document, host);
    }

    fs::path folder;
    fs::path previous;
    MemoryProfile profile;
    SettingsStore store{profile};
    ControlPanel panel;
    Document document{"9.8.7"};
    doubles::RecordingHost host;
};

TEST_F(DocumentApplyTest, ApplyingTwiceGivesTheSamePages) {
    panel.GetCameraGpsPage().SetCompression(200);
    ASSERT_EQ(Run(), ApplyResult::Completed);
    const size_t keptFirst = document.GetTrack().GetCount();
    std::string first = WithoutWritingTime(ReadWhole("html/walk_route_grade.html"));
    EXPECT_THAT(first, HasSubstr("9.8.7"));
    ASSERT_EQ(Run(), ApplyResult::Completed);
    // The track is read afresh before each reduction, so the reduction does not pile up.
    EXPECT_EQ(document.GetTrack().GetCount(), keptFirst);
    EXPECT_EQ(WithoutWritingTime(ReadWhole("html/walk_route_grade.html")), first);
    EXPECT_TRUE(fs::exists("html/img/walk_ele.gif"));
    EXPECT_THAT(host.events, ::testing::Contains("navigate file://" + folder.string() + "/html/walk_route.html"));
}

TEST_F(DocumentApplyTest, CommentsTypedInTheListSurviveTheNextApply) {
    fs::create_directories("photos");
    fs::copy_file(fs::path(SOURCE_DIR) / "examples/photos/IMG_0002.jpg", "photos/IMG_0002.jpg");
    fs::copy_file(fs::path(SOURCE_DIR) / "examples/photos/IMG_0003.jpg", "photos/IMG_0003.jpg");
    panel.GetCameraGpsPage().SetPhotoFolder((folder / "photos").string());
    ASSERT_EQ(Run(), ApplyResult::Completed);
    ASSERT_EQ(document.GetPictures().GetCount(), 2u);
    EXPECT_TRUE(document.GetPictures()[0].IsPlaced());

    document.GetPicturesForUpdate()[1].SetComment("峠の茶屋");
    ASSERT_EQ(Run(), ApplyResult::Completed);
    EXPECT_EQ(document.GetPictures()[1].GetComment(), "峠の茶屋");
    EXPECT_EQ(document.GetPictures()[0].GetComment(), "");
    EXPECT_THAT(ReadWhole("html/walk_picture_route.html"), HasSubstr("峠の茶屋"));
}

TEST_F(DocumentApplyTest, SpeedLimitLeavesFastPointsOutForOneRun) {
    ASSERT_EQ(Run(), ApplyResult::Completed);
    const double fullDistance = document.GetTrack().GetTotalDistance();
    CameraGpsPage& page = panel.GetCameraGpsPage();
    ASSERT_GE(page.GetSpeedChoices().GetEntries().size(), 3u);
    page.SetSpeedLimitOn(1);
    page.GetSpeedChoices().Select(1);
    ASSERT_EQ(Run(), ApplyResult::Completed);
    EXPECT_LT(document.GetTrack().GetTotalDistance(), fullDistance);
    ASSERT_EQ(Run(), ApplyResult::Completed);  // the box was emptied: nothing left out
    EXPECT_EQ(document.GetTrack().GetTotalDistance(), fullDistance);
}

TEST_F(DocumentApplyTest, EnormousPageNameIsWrittenWhole) {
    const std::string name(8 << 20, 'x');
    panel.GetCameraGpsPage().SetPageName(name);
    ASSERT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(ReadWhole("html/walk_route.html"), HasSubstr(name + "</title>"));
}

}  // namespace
}  // namespace trackalbum
