// The GPS/photo page driven as a user would: the enabling rules, the clock spin, the copy
// button's confirmation and a whole copy run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "pipeline/CameraGpsPage.h"
#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class CameraGpsPageTest : public ::testing::Test {
protected:
    CPageCameraGPS& Page() { return program.Page(); }
    std::string CopyCaption() { return Page().GetCopyButton()->GetLabel().utf8_string(); }
    void Spin(wxEventType direction) {
        wxSpinEvent event(direction, Page().GetClockSpin()->GetId());
        event.SetEventObject(Page().GetClockSpin());
        Page().GetClockSpin()->ProcessWindowEvent(event);
    }

    ProgramUnderTest program;
};

TEST_F(CameraGpsPageTest, StartsWithCopyClockAndSpeedControlsDisabled) {
    EXPECT_FALSE(Page().GetCopyButton()->IsEnabled());
    EXPECT_EQ(CopyCaption(), "画像縮小");
    EXPECT_FALSE(Page().GetClockMinutesEdit()->IsEnabled());
    EXPECT_FALSE(Page().GetClockSpin()->IsEnabled());
    EXPECT_FALSE(Page().GetSpeedBox()->IsEnabled());
    EXPECT_EQ(Page().GetCompressionSlider()->GetMin(), 0);
    EXPECT_EQ(Page().GetCompressionSlider()->GetMax(), 200);
    EXPECT_EQ(Page().GetCompressionSlider()->GetValue(), 0);
    EXPECT_TRUE(Page().GetGpsFileEdit()->IsEmpty());

    SetChecked(Page().GetClockCorrectionCheck(), true);
    SetChecked(Page().GetSpeedLimitCheck(), true);
    EXPECT_TRUE(Page().GetClockMinutesEdit()->IsEnabled());
    EXPECT_TRUE(Page().GetClockSpin()->IsEnabled());
    EXPECT_TRUE(Page().GetSpeedBox()->IsEnabled());
}

TEST_F(CameraGpsPageTest, CopyButtonNeedsBothPathsAndNamesItsMode) {
    Type(Page().GetGpsFileEdit(), program.SampleGpx());
    EXPECT_FALSE(Page().GetCopyButton()->IsEnabled());
    Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    EXPECT_TRUE(Page().GetCopyButton()->IsEnabled());
    Type(Page().GetGpsFileEdit(), "");
    EXPECT_FALSE(Page().GetCopyButton()->IsEnabled());

    SetChecked(Page().GetKeepOriginalSizeCheck(), true);
    EXPECT_EQ(CopyCaption(), "コピー");
    SetChecked(Page().GetKeepOriginalSizeCheck(), false);
    EXPECT_EQ(CopyCaption(), "画像縮小");
}

TEST_F(CameraGpsPageTest, ClockSpinHasNoBoundsAndBadMinutesAreRefused) {
    SetChecked(Page().GetClockCorrectionCheck(), true);
    Spin(wxEVT_SPIN_UP);
    EXPECT_EQ(Page().GetClockMinutesEdit()->GetValue(), "1");
    Spin(wxEVT_SPIN_DOWN);
    Spin(wxEVT_SPIN_DOWN);
    EXPECT_EQ(Page().GetClockMinutesEdit()->GetValue(), "-1");
    Type(Page().GetClockMinutesEdit(), "-100000");
    Spin(wxEVT_SPIN_DOWN);
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

TEST_F(CameraGpsPageTest, NoInTheCopyConfirmationChangesNothing) {
    Type(Page().GetGpsFileEdit(), program.SampleGpx());
    Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    MessageBoxScript boxes(wxNO);
    Click(Page().GetCopyButton());
    ASSERT_EQ(boxes.GetTexts().size(), 1u);
    EXPECT_EQ(boxes.GetTexts()[0], "時間のかかる処理です。\n実行してもよろしいですか？");
    EXPECT_EQ(CopyCaption(), "画像縮小");
    for (wxWindow* control : {static_cast<wxWindow*>(Page().GetCopyButton()), static_cast<wxWindow*>(Page().GetGpsFileEdit()),
                              static_cast<wxWindow*>(Page().GetPhotoFolderEdit()),
                              static_cast<wxWindow*>(Page().GetGpsBrowseButton()),
                              static_cast<wxWindow*>(Page().GetPhotoBrowseButton())}) {
        EXPECT_TRUE(control->IsEnabled());
    }
    EXPECT_FALSE(fs::exists(program.Folder() + "/html"));
    EXPECT_TRUE(program.Document().GetPictures().IsEmpty());
}

TEST_F(CameraGpsPageTest, CopyRunShowsItsProgressAndFillsTheImageFolder) {
    Type(Page().GetGpsFileEdit(), program.SampleGpx());
    Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    SetChecked(Page().GetKeepOriginalSizeCheck(), true);
    MessageBoxScript boxes(wxYES);
    Click(Page().GetCopyButton());
    // The controls that could start a second run are off at once and back at the end.
    EXPECT_FALSE(Page().GetCopyButton()->IsEnabled());
    EXPECT_FALSE(Page().GetGpsFileEdit()->IsEnabled());
    EXPECT_FALSE(Page().GetPhotoBrowseButton()->IsEnabled());
    const std::vector<std::string>& shown = Page().GetCopyCaptionHistory();
    ASSERT_TRUE(PumpUntil([&] { return !Page().GetCopyWorker().IsRunning() && !shown.empty() && shown.back() == "コピー"; }, 60000));
    EXPECT_FALSE(Page().IsCopyRunning());
    EXPECT_TRUE(Page().GetCopyButton()->IsEnabled());
    EXPECT_TRUE(Page().GetGpsFileEdit()->IsEnabled());
    EXPECT_EQ(CopyCaption(), "コピー");
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.front(), "コピー中…");
    EXPECT_EQ(shown[shown.size() - 2], "100%...");
    EXPECT_EQ(shown.back(), "コピー");
    for (const fs::directory_entry& photo : fs::directory_iterator(program.SamplePhotos())) {
        EXPECT_TRUE(fs::exists(program.Folder() + "/html/img/" + photo.path().filename().string())) << photo.path();
    }
    // The rescanned records are what the picture list shows now.
    EXPECT_EQ(program.Model().GetPictureListPage().GetRows().size(), program.Document().GetPictures().GetCount());
    EXPECT_THAT(boxes.GetTexts().size(), 1u);
}

TEST_F(CameraGpsPageTest, ShrinkRunNamesThePhotosThatDidNotReachTheImageFolder) {
    Type(Page().GetGpsFileEdit(), program.SampleGpx());
    Type(Page().GetPhotoFolderEdit(), program.SamplePhotos());
    MessageBoxScript boxes(wxYES);
    Click(Page().GetCopyButton());
    EXPECT_EQ(CopyCaption(), "縮小中…");
    ASSERT_TRUE(PumpUntil([&] { return boxes.GetTexts().size() == 2; }, 60000));
    EXPECT_EQ(CopyCaption(), "画像縮小");
    // The sample folder holds a memo among the photos: it cannot be shrunk.
    EXPECT_THAT(boxes.GetTexts()[1], ::testing::HasSubstr("memo.txt"));
    EXPECT_FALSE(fs::exists(program.Folder() + "/html/img/memo.txt"));
    EXPECT_TRUE(fs::exists(program.Folder() + "/html/img/IMG_0001.jpg"));
}

}  // namespace
}  // namespace trackalbum
