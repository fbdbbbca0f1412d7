#include "pipeline/Apply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "pipeline/ApplyDoubles.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using doubles::FakeDocument;
using doubles::MakePictures;
using doubles::MakeTrack;
using doubles::RecordingHost;

class ApplyTest : public ::testing::Test {
protected:
    ApplyResult Run() { return Apply(panel, store, document, host); }
    CameraGpsPage& Page() { return panel.GetCameraGpsPage(); }
    size_t IndexOfCall(const std::string& call) {
        auto found = std::find(document.calls.begin(), document.calls.end(), call);
        EXPECT_NE(found, document.calls.end()) << call;
        return static_cast<size_t>(found - document.calls.begin());
    }
    bool Called(const std::string& prefix) {
        return std::any_of(document.calls.begin(), document.calls.end(),
                           [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    }

    MemoryProfile profile;
    SettingsStore store{profile};
    ControlPanel panel;
    FakeDocument document;
    RecordingHost host;
};

TEST_F(ApplyTest, WithoutGpxFileOnlyTheSettingsAreStoredAndThePhotosListed) {
    Page().SetPhotoFolder("/photos");
    document.picturesOnScan = MakePictures(2);
    panel.GetMapPropertyPage().SetZoomLevel(5);

    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_EQ(profile.GetProfileInt("Parameters", "ZoomLevel", 0), 5);
    EXPECT_FALSE(Called("EnsureFolder"));
    EXPECT_FALSE(Called("WritePage"));
    EXPECT_THAT(host.events, ::testing::Contains("pictures /photos 2"));
    EXPECT_THAT(host.events, ::testing::Contains("information 設定値の保存だけ実行しました。"));
    EXPECT_THAT(host.StepTexts(), ElementsAre("地図設定値の保存完了", "", "設定値の保存だけ実行しました。",
                                              "適用処理完了"));
}

TEST_F(ApplyTest, TrackWithoutPhotosWritesRouteAndProfileAndShowsTheRoute) {
    Page().SetGpsFile("ride.gpx");
    document.trackOnLoad = MakeTrack({5, 10, 15});

    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(document.writtenKinds, ElementsAre(2, 6));
    EXPECT_LT(IndexOfCall("EnsureFolder html"), IndexOfCall("EnsureFolder html/img"));
    EXPECT_LT(IndexOfCall("EnsureFolder html/img"), IndexOfCall("WritePage 2"));
    EXPECT_THAT(host.events, ::testing::Contains("navigate file:///out/html/kind2.html"));
    EXPECT_THAT(host.StepTexts(), ElementsAre("地図設定値の保存完了", "", "ルートのみHTML出力", "HTML表示開始",
                                              "適用処理完了"));
}

TEST_F(ApplyTest, TrackWithPhotosWritesAllFiveKindsAndShowsRouteAndPhotos) {
    Page().SetGpsFile("ride.gpx");
    Page().SetPhotoFolder("/photos");
    document.trackOnLoad = MakeTrack({5, 10});
    document.picturesOnScan = MakePictures(1);

    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(document.writtenKinds, ElementsAre(2, 1, 3, 6, 7));
    EXPECT_THAT(host.events, ::testing::Contains("navigate file:///out/html/kind3.html"));
    EXPECT_THAT(host.StepTexts(),
                ElementsAre("地図設定値の保存完了", "", "ルートのみHTML出力", "写真のみHTML出力",
                            "ルートと写真のHTML出力", "プロファイルのHTML出力", "HTML表示開始", "適用処理完了"));
}

TEST_F(ApplyTest, CommentsAreStoredBeforeTheRescanAndReadAfterIt) {
    Page().SetGpsFile("ride.gpx");
    Page().SetPhotoFolder("/photos");
    Run();
    EXPECT_LT(IndexOfCall("WriteComments ride.gpx"), IndexOfCall("LoadGpx ride.gpx"));
    EXPECT_LT(IndexOfCall("LoadPictures /photos"), IndexOfCall("ReadComments ride.gpx"));
    EXPECT_LT(IndexOfCall("ReadComments ride.gpx"), IndexOfCall("PlacePictures"));
    // Photos are placed on the full track; the pages come from the reduced one.
    EXPECT_LT(IndexOfCall("PlacePictures"), IndexOfCall("Reduce"));
    EXPECT_LT(IndexOfCall("Reduce"), IndexOfCall("WritePage 2"));
}

TEST_F(ApplyTest, EmptyTrackWithoutEarlierPageEndsWithTheFileError) {
    Page().SetGpsFile("empty.gpx");

    EXPECT_EQ(Run(), ApplyResult::Failed);
    EXPECT_TRUE(document.writtenKinds.empty());
    EXPECT_EQ(host.StepTexts().back(), "HTML表示開始");
    EXPECT_THAT(host.events.back(), HasSubstr("error no page of kind 2"));
    EXPECT_THAT(host.events, ::testing::Not(::testing::Contains(HasSubstr("speeds"))));
}

TEST_F(ApplyTest, EmptyTrackShowsThePageOfAnEarlierRun) {
    Page().SetGpsFile("empty.gpx");
    document.pagesOnDisk.insert(2);
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(host.events, ::testing::Contains("navigate file:///out/html/kind2.html"));
}

TEST_F(ApplyTest, FailingPageEndsApplyAtThatStep) {
    Page().SetGpsFile("ride.gpx");
    Page().SetPhotoFolder("/photos");
    document.trackOnLoad = MakeTrack({5, 10});
    document.picturesOnScan = MakePictures(1);
    document.failWritingKind = 1;

    EXPECT_EQ(Run(), ApplyResult::Failed);
    EXPECT_THAT(document.writtenKinds, ElementsAre(2));
    EXPECT_EQ(host.StepTexts().back(), "ルートのみHTML出力");
    EXPECT_EQ(host.events.back(), "error cannot write html/x.html");
    EXPECT_EQ(Page().GetStatusText(), host.statuses.back());
}

TEST_F(ApplyTest, StatusHeaderIsWorkedOutAnewFromTheDocument) {
    Page().SetGpsFile("ride.gpx");
    Page().SetPhotoFolder("/photos");
    Page().SetClockCorrection(1);
    Page().SetClockMinutes(3);
    document.trackOnLoad = MakeTrack({5, 10, 15});
    document.picturesOnScan = MakePictures(2);

    Run();
    // The first update still describes the previous run (nothing yet).
    EXPECT_EQ(host.statuses[0], "地図設定値の保存完了");
    EXPECT_EQ(host.statuses[1], "[3 points 2 photos 32400 180]\r\n");
    EXPECT_EQ(host.statuses.back(), "[3 points 2 photos 32400 180]\r\n適用処理完了");
    EXPECT_EQ(document.lastPlacementOffset, 32400 - 180);
}

TEST_F(ApplyTest, ReductionUsesTheSliderAndReportsBeside) {
    Page().SetGpsFile("ride.gpx");
    Page().SetCompression(100);
    document.trackOnLoad = MakeTrack({5, 10, 15});
    Run();
    EXPECT_DOUBLE_EQ(document.lastTolerance, 0.00005);
    EXPECT_THAT(host.events, ::testing::Contains("compression 3/3\r\n(100%)"));
    EXPECT_EQ(Page().GetCompressionResult(), "3/3\r\n(100%)");
}

TEST_F(ApplyTest, SpeedChoicesAreRefilledAndTheChosenLimitLastsOneRun) {
    Page().SetGpsFile("ride.gpx");
    Page().SetSpeedLimitOn(1);
    document.trackOnLoad = MakeTrack({0.4, 12.9, 12.1, 105.0, 30.5});
    Run();
    EXPECT_THAT(host.speedEntries, ElementsAre("   0", "  12", "  30", " 105"));

    Page().GetSpeedChoices().Select(2);
    Run();
    EXPECT_TRUE(document.lastSpeedLimitOn);
    EXPECT_EQ(document.lastSpeedLimit, 30.0);

    Run();  // the box was emptied by the previous run
    EXPECT_EQ(document.lastSpeedLimit, 0.0);
}

TEST_F(ApplyTest, PhotosCountedAfreshBeforeEachStep) {
    // An empty photo folder gives no photo kinds even though an earlier run had photos.
    Page().SetGpsFile("ride.gpx");
    Page().SetPhotoFolder("/photos");
    document.trackOnLoad = MakeTrack({5, 10});
    document.picturesOnScan = MakePictures(3);
    Run();
    Page().SetPhotoFolder("");
    document.writtenKinds.clear();
    Run();
    EXPECT_THAT(document.writtenKinds, ElementsAre(2, 6));
}

class FailingProfile : public MemoryProfile {
public:
    bool Flush() override { return false; }
    std::string GetLastProblem() const override { return "/conf/Trackalbum.conf: No space left on device"; }
};

TEST(ApplyProfileTest, SettingsThatCannotBeStoredAreReportedAndApplyGoesOn) {
    FailingProfile profile;
    SettingsStore store(profile);
    ControlPanel panel;
    FakeDocument document;
    RecordingHost host;
    EXPECT_EQ(Apply(panel, store, document, host), ApplyResult::Completed);
    EXPECT_EQ(host.events.front(),
              "message 設定値をファイルに保存できませんでした。\n/conf/Trackalbum.conf: No space left on device");
}

}  // namespace
}  // namespace trackalbum
