// Apply pressed in the program: the status box, the written pages, the caption, the view and
// the picture list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/webview.h>

#include "pipeline/Apply.h"
#include "shell/CPagePictureList.h"
#include "shell/CPictureView.h"
#include "shell/ShellTestSupport.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;

class ApplyInProgram : public ::testing::Test {
protected:
    void Apply(const char* gpx, const char* photos) {
        if (gpx) Type(program.Page().GetGpsFileEdit(), gpx);
        if (photos) Type(program.Page().GetPhotoFolderEdit(), photos);
        Click(program.Panel().GetApplyButton());
    }
    std::string Status() { return program.Page().GetStatusBox()->GetLabel().utf8_string(); }

    ProgramUnderTest program;
    MessageBoxScript boxes;
};

TEST_F(ApplyInProgram, ShowsTheMainPageInTheBrowserAndNamesTheWindowAfterIt) {
    Type(program.Page().GetPageNameEdit(), "里山さんぽ");
    Apply(program.SampleGpx().c_str(), program.SamplePhotos().c_str());
    EXPECT_THAT(boxes.GetTexts(), ::testing::IsEmpty());
    // The status box shows the last text, its time header included.
    EXPECT_THAT(Status(), EndsWith("\n" + std::string(ApplyText::Completed)));
    EXPECT_FALSE(program.Page().GetCompressionResultLabel()->GetLabel().empty());
    EXPECT_EQ(program.Frame().GetTitle().utf8_string(), "里山さんぽ");

    CTrackalbumView& view = program.View();
    EXPECT_THAT(view.GetAddress(), EndsWith("/html/walk_picture_route.html"));
    // Read back from the browser: the page was parsed as HTML, its title included.
    PumpUntil([&] { return view.GetLoadedCount() > 0 && !view.GetShownTitle().empty(); }, 30000);
    EXPECT_EQ(view.GetShownTitle(), "里山さんぽ");
    // "./maps" beside the page was found and drew the map into its division.
    wxString children;
    EXPECT_TRUE(PumpUntil([&] {
        return view.GetBrowser()->RunScript("document.getElementById('map').childElementCount", &children) &&
               children != "0";
    }, 30000)) << children;
}

TEST_F(ApplyInProgram, WithoutGpxFileStoresTheSettingsAndListsThePhotos) {
    Apply(nullptr, program.SamplePhotos().c_str());
    EXPECT_THAT(boxes.GetTexts(), ElementsAre(ApplyText::SettingsOnly));
    EXPECT_THAT(Status(), EndsWith(ApplyText::Completed));
    EXPECT_FALSE(program.View().HasPage());
    EXPECT_EQ(program.Frame().GetTitle(), "Trackalbum");

    auto* list = static_cast<CPagePictureList*>(program.Panel().GetPage(COperationDlg::TabPictureList))->GetPictureView();
    const PictureList& pictures = program.Document().GetPictures();
    ASSERT_EQ(pictures.GetCount(), static_cast<size_t>(std::distance(fs::directory_iterator(program.SamplePhotos()), {})));
    ASSERT_EQ(static_cast<size_t>(list->GetItemCount()), pictures.GetCount());
    for (size_t row = 0; row < pictures.GetCount(); ++row) {
        EXPECT_EQ(list->GetItemText(static_cast<long>(row), 0).utf8_string(), pictures[row].GetFileName());
    }
}

TEST_F(ApplyInProgram, PageThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    test::WriteFile(program.Folder() + "/html", "in the way");  // where the pages' folder should be
    Apply(program.SampleGpx().c_str(), nullptr);
    ASSERT_EQ(boxes.GetTexts().size(), 1u);
    EXPECT_THAT(boxes.GetTexts()[0], HasSubstr("html"));
    EXPECT_EQ(test::ReadFile(program.Folder() + "/html"), "in the way");
    EXPECT_THAT(Status(), ::testing::Not(EndsWith(ApplyText::Completed)));
    EXPECT_FALSE(program.View().HasPage());
    EXPECT_TRUE(program.Panel().IsShown());
}

TEST_F(ApplyInProgram, SettingsAreFoundAgainAtTheNextStart) {
    program.Model().GetMapPropertyPage().SetPathWidth(7);
    program.Model().GetApiKeyPage().SetAPIKey("key-of-the-user");
    program.Panel().TransferDataToWindow();
    Apply(nullptr, program.SamplePhotos().c_str());

    ProgramUnderTest second(program.ProfilePath());
    EXPECT_EQ(second.Model().GetMapPropertyPage().GetPathWidth(), 7);
    EXPECT_EQ(second.Model().GetApiKeyPage().GetAPIKey(), "key-of-the-user");
    // The run's own inputs are not settings: every start shows +9 and empty paths.
    EXPECT_EQ(second.Model().GetZoneSeconds(), 32400);
    EXPECT_TRUE(second.Page().GetPhotoFolderEdit()->IsEmpty());
}

TEST_F(ApplyInProgram, SpeedLimitIsThePickedEntryOrTheTypedNumberUntilTheNextApply) {
    CPageCameraGPS& page = program.Page();
    Apply(program.SampleGpx().c_str(), nullptr);
    SetChecked(page.GetSpeedLimitCheck(), true);
    wxComboBox* speeds = page.GetSpeedBox();
    const SpeedChoices& model = program.Model().GetCameraGpsPage().GetSpeedChoices();
    ASSERT_GE(speeds->GetCount(), 2u);  // refilled from the track
    ASSERT_EQ(speeds->GetCount(), model.GetEntries().size());
    EXPECT_EQ(speeds->GetValue(), "");  // no limit until one is picked

    speeds->SetSelection(1);
    program.Panel().TransferDataFromWindow();
    EXPECT_EQ(program.Model().GetRunOptions().SpeedLimit, model.GetEntries()[1].Value);
    speeds->SetValue("30");
    program.Panel().TransferDataFromWindow();
    EXPECT_EQ(program.Model().GetRunOptions().SpeedLimit, 30.0);

    // Apply refills the box from the track: nothing is picked or typed afterwards.
    Click(program.Panel().GetApplyButton());
    EXPECT_EQ(speeds->GetValue(), "");
    EXPECT_EQ(program.Model().GetRunOptions().SpeedLimit, 0.0);
    EXPECT_TRUE(page.GetSpeedLimitCheck()->IsChecked());
}

}  // namespace
}  // namespace trackalbum
