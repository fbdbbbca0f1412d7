// The GPS/photo page driven as a user would: its controls following their checks and paths,
// the clock spin, the copy button's confirmation and a whole copy run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class CameraGpsPageTest : public ::testing::Test {
protected:
    CPageCameraGPS& Page() { return program.Page(); }
    std::string CopyCaption() { return Page().GetCopyButton()->GetLabel().utf8_string(); }
    void TypeBothPaths() {
        Type(Page().GetGpsFileEdit(), program.SampleGpx());
        Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    }
    // 1 or 0 for the copy button, the clock minutes and spin, the speed box, the two paths
    // and their browse buttons.
    std::string Enabled() {
        std::string enabled;
        for (wxWindow* control : std::initializer_list<wxWindow*>{
                 Page().GetCopyButton(), Page().GetClockMinutesEdit(), Page().GetClockSpin(), Page().GetSpeedBox(),
                 Page().GetGpsFileEdit(), Page().GetPhotoFolderEdit(), Page().GetGpsBrowseButton(),
                 Page().GetPhotoBrowseButton()})
            enabled += control->IsEnabled() ? '1' : '0';
        return enabled;
    }

    ProgramUnderTest program;
};

TEST_F(CameraGpsPageTest, ControlsFollowTheirChecksAndThePaths) {
    EXPECT_EQ(Enabled(), "00001111");
    EXPECT_EQ(CopyCaption(), "画像縮小");
    EXPECT_EQ(Page().GetCompressionSlider()->GetMax(), 200);
    EXPECT_EQ(Page().GetCompressionSlider()->GetValue(), 0);

    SetChecked(Page().GetClockCorrectionCheck(), true);
    SetChecked(Page().GetSpeedLimitCheck(), true);
    EXPECT_EQ(Enabled(), "01111111");
    // The copy button needs both paths: typing in either one is seen.
    Type(Page().GetGpsFileEdit(), program.SampleGpx());
    EXPECT_EQ(Enabled(), "01111111");
    Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    EXPECT_EQ(Enabled(), "11111111");
    Type(Page().GetGpsFileEdit(), "");
    EXPECT_EQ(Enabled(), "01111111");

    SetChecked(Page().GetKeepOriginalSizeCheck(), true);
    EXPECT_EQ(CopyCaption(), "コピー");
    SetChecked(Page().GetKeepOriginalSizeCheck(), false);
    EXPECT_EQ(CopyCaption(), "画像縮小");
}

TEST_F(CameraGpsPageTest, ClockSpinStepsTheTypedMinutesAndBadMinutesAreRefused) {
    SetChecked(Page().GetClockCorrectionCheck(), true);
    Spin(Page().GetClockSpin(), true);
    EXPECT_EQ(Page().GetClockMinutesEdit()->GetValue(), "1");
    Type(Page().GetClockMinutesEdit(), "-100000");
    Spin(Page().GetClockSpin(), false);
    EXPECT_EQ(Page().GetClockMinutesEdit()->GetValue(), "-100001");
    EXPECT_EQ(program.Model().GetClockSeconds(), -100001 * 60);

    // Not a whole number: the user is told and the last good value stays in use.
    MessageBoxScript boxes;
    Type(Page().GetClockMinutesEdit(), "abc");
    EXPECT_FALSE(Page().TransferDataFromWindow());
    EXPECT_THAT(boxes.GetTexts(), ElementsAre("整数を入力してください。"));
    EXPECT_EQ(program.Model().GetCameraGpsPage().GetClockMinutes(), -100001);
    // The text is selected, ready to be typed over.
    long from = 0, to = 0;
    Page().GetClockMinutesEdit()->GetSelection(&from, &to);
    EXPECT_EQ(to - from, 3);
}

TEST_F(CameraGpsPageTest, CopyRunShowsItsProgressAndFillsTheImageFolder) {
    TypeBothPaths();
    SetChecked(Page().GetKeepOriginalSizeCheck(), true);
    MessageBoxScript boxes(wxYES);
    Click(Page().GetCopyButton());
    // The controls that could start a second run are off at once and back at the end.
    EXPECT_EQ(Enabled(), "00000000");
    const std::vector<std::string>& shown = Page().GetCopyCaptionHistory();
    ASSERT_TRUE(PumpUntil([&] { return !Page().GetCopyWorker().IsRunning() && !shown.empty() && shown.back() == "コピー"; }, 60000));
    EXPECT_FALSE(Page().IsCopyRunning());
    EXPECT_EQ(Enabled(), "10001111");
    EXPECT_EQ(CopyCaption(), "コピー");
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.front(), "コピー中…");
    EXPECT_EQ(shown[shown.size() - 2], "100%...");
    for (const fs::directory_entry& photo : fs::directory_iterator(program.SamplePhotos())) {
        EXPECT_TRUE(fs::exists(program.Folder() + "/html/img/" + photo.path().filename().string())) << photo.path();
    }
    // The rescanned records are what the picture list shows now.
    EXPECT_EQ(program.Model().GetPictureListPage().GetRows().size(), program.Document().GetPictures().GetCount());
    EXPECT_EQ(boxes.GetTexts().size(), 1u);
}

TEST_F(CameraGpsPageTest, ShrinkRunIsConfirmedFirstAndNamesThePhotosThatDidNotReachTheImageFolder) {
    TypeBothPaths();
    MessageBoxScript boxes(wxNO);
    Click(Page().GetCopyButton());
    EXPECT_THAT(boxes.GetTexts(), ElementsAre("時間のかかる処理です。\n実行してもよろしいですか？"));
    // No changes nothing.
    EXPECT_EQ(CopyCaption(), "画像縮小");
    EXPECT_EQ(Enabled(), "10001111");
    EXPECT_FALSE(fs::exists(program.Folder() + "/html"));
    EXPECT_TRUE(program.Document().GetPictures().IsEmpty());

    boxes.SetAnswer(wxYES);
    Click(Page().GetCopyButton());
    EXPECT_EQ(CopyCaption(), "縮小中…");
    ASSERT_TRUE(PumpUntil([&] { return boxes.GetTexts().size() == 3; }, 60000));
    EXPECT_EQ(CopyCaption(), "画像縮小");
    // The sample folder holds a memo among the photos: it cannot be shrunk.
    EXPECT_THAT(boxes.GetTexts()[2], ::testing::HasSubstr("memo.txt"));
    EXPECT_FALSE(fs::exists(program.Folder() + "/html/img/memo.txt"));
    EXPECT_TRUE(fs::exists(program.Folder() + "/html/img/IMG_0001.jpg"));
}

}  // namespace
}  // namespace trackalbum
