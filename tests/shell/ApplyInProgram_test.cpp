// Apply pressed in the program: the status box, the written pages, the caption and the view.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// Each status text is the time header followed by the step; only the steps are compared.
std::vector<std::string> StepsOf(const std::vector<std::string>& statuses) {
    std::vector<std::string> steps;
    for (const std::string& status : statuses) {
        size_t lineEnd = status.rfind('\n');
        steps.push_back(lineEnd == std::string::npos ? status : status.substr(lineEnd + 1));
    }
    return steps;
}

TEST(ApplyInProgram, WritesEveryPageShowsTheMainOneAndNamesTheWindowAfterIt) {
    ProgramUnderTest program;
    CPageCameraGPS& page = program.Page();
    Type(page.GetPageNameEdit(), "里山さんぽ");
    Type(page.GetGpsFileEdit(), program.SampleGpx());
    Type(page.GetPhotoFolderEdit(), program.SamplePhotos());
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());

    EXPECT_THAT(boxes.GetTexts(), ::testing::IsEmpty());
    EXPECT_THAT(StepsOf(program.Panel().GetApplyHost().GetStatusHistory()),
                ElementsAre(ApplyText::SettingsSaved, "", ApplyText::RouteWritten, ApplyText::PicturesWritten,
                            ApplyText::RouteAndPicturesWritten, ApplyText::ProfileWritten, ApplyText::ShowStarted,
                            ApplyText::Completed));
    // The status box shows the last text, header included.
    const std::string shown = page.GetStatusBox()->GetLabel().utf8_string();
    EXPECT_THAT(shown, EndsWith(ApplyText::Completed));
    EXPECT_THAT(shown, HasSubstr("\n"));
    EXPECT_FALSE(page.GetCompressionResultLabel()->GetLabel().empty());

    for (const char* name : {"walk_route.html", "walk_picture.html", "walk_picture_route.html", "walk_route_grade.html",
                             "walk_picture_route_grade.html"}) {
        EXPECT_TRUE(fs::exists(program.Folder() + "/html/" + name)) << name;
    }
    EXPECT_EQ(program.Frame().GetTitle().utf8_string(), "里山さんぽ");

    CTrackalbumView& view = program.View();
    EXPECT_THAT(view.GetAddress(), EndsWith("/html/walk_picture_route.html"));
    // Read back from the browser: the page was parsed as HTML, its title included.
    PumpUntil([&] { return view.GetLoadedCount() > 0 && !view.GetShownTitle().empty(); }, 30000);
    EXPECT_EQ(view.GetShownTitle(), "里山さんぽ");
    // "./maps" beside the page was found and drew the map into its division.
    wxString children;
    PumpUntil([&] {
        return view.GetBrowser()->RunScript("document.getElementById('map').childElementCount", &children) &&
               children != "0";
    }, 30000);
    EXPECT_NE(children, "0");
    EXPECT_NE(children, "");

    // The speed box was refilled from the track and reads as no limit until one is picked.
    EXPECT_GT(page.GetSpeedBox()->GetCount(), 0u);
    EXPECT_EQ(page.GetSpeedBox()->GetValue(), "");
}

TEST(ApplyInProgram, WithoutGpxFileOnlyStoresTheSettings) {
    ProgramUnderTest program;
    Type(program.Page().GetPhotoFolderEdit(), program.SamplePhotos());
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());
    EXPECT_THAT(boxes.GetTexts(), ElementsAre(ApplyText::SettingsOnly));
    EXPECT_FALSE(fs::exists(program.Folder() + "/html"));
    EXPECT_TRUE(fs::exists(program.Folder() + "/profile.conf"));
    EXPECT_THAT(program.Page().GetStatusBox()->GetLabel().utf8_string(), EndsWith(ApplyText::Completed));
    const auto photos = std::distance(fs::directory_iterator(program.SamplePhotos()), fs::directory_iterator());
    EXPECT_EQ(program.Model().GetPictureListPage().GetRows().size(), static_cast<size_t>(photos));
    EXPECT_FALSE(program.View().HasPage());
    EXPECT_EQ(program.Frame().GetTitle(), "Trackalbum");
}

TEST(ApplyInProgram, PageThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    ProgramUnderTest program;
    // A file where the pages' folder should be.
    { std::ofstream(program.Folder() + "/html") << "in the way"; }
    Type(program.Page().GetGpsFileEdit(), program.SampleGpx());
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());
    ASSERT_EQ(boxes.GetTexts().size(), 1u);
    EXPECT_THAT(boxes.GetTexts()[0], HasSubstr("html"));
    EXPECT_EQ(ReadWholeFile(program.Folder() + "/html"), "in the way");
    EXPECT_THAT(program.Page().GetStatusBox()->GetLabel().utf8_string(),
                ::testing::Not(EndsWith(ApplyText::Completed)));
    EXPECT_FALSE(program.View().HasPage());
    EXPECT_TRUE(program.Panel().IsShown());
}

}  // namespace
}  // namespace trackalbum

namespace trackalbum {
namespace {

TEST(ApplyInProgram, PictureListShowsTheScannedPhotos) {
    ProgramUnderTest program;
    Type(program.Page().GetGpsFileEdit(), program.SampleGpx());
    Type(program.Page().GetPhotoFolderEdit(), program.SamplePhotos());
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());
    auto* list = static_cast<CPagePictureList*>(program.Panel().GetPage(COperationDlg::TabPictureList))->GetPictureView();
    const PictureList& pictures = program.Document().GetPictures();
    ASSERT_EQ(static_cast<size_t>(list->GetItemCount()), pictures.GetCount());
    ASSERT_GT(pictures.GetCount(), 0u);
    for (size_t row = 0; row < pictures.GetCount(); ++row) {
        EXPECT_EQ(list->GetItemText(static_cast<long>(row), 0).utf8_string(), pictures[row].GetFileName());
    }
}

TEST(ApplyInProgram, SettingsAreFoundAgainAtTheNextStart) {
    ProgramUnderTest first;
    first.Model().GetMapPropertyPage().SetPathWidth(7);
    first.Model().GetApiKeyPage().SetAPIKey("key-of-the-user");
    first.Panel().TransferDataToWindow();
    MessageBoxScript boxes;
    Click(first.Panel().GetApplyButton());

    ProgramUnderTest second(first.ProfilePath());
    EXPECT_EQ(second.Model().GetMapPropertyPage().GetPathWidth(), 7);
    EXPECT_EQ(second.Model().GetApiKeyPage().GetAPIKey(), "key-of-the-user");
    // The run's own inputs are not settings: every start shows +9 and empty paths.
    EXPECT_EQ(second.Model().GetZoneSeconds(), 32400);
    EXPECT_TRUE(second.Page().GetPhotoFolderEdit()->IsEmpty());
}

}  // namespace
}  // namespace trackalbum

namespace trackalbum {
namespace {

TEST(ApplyInProgram, SpeedLimitIsThePickedEntryOrTheTypedNumberUntilTheNextApply) {
    ProgramUnderTest program;
    CPageCameraGPS& page = program.Page();
    Type(page.GetGpsFileEdit(), program.SampleGpx());
    MessageBoxScript boxes;
    Click(program.Panel().GetApplyButton());
    SetChecked(page.GetSpeedLimitCheck(), true);
    wxComboBox* speeds = page.GetSpeedBox();
    const SpeedChoices& model = program.Model().GetCameraGpsPage().GetSpeedChoices();
    ASSERT_GE(speeds->GetCount(), 2u);
    ASSERT_EQ(speeds->GetCount(), model.GetEntries().size());

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
