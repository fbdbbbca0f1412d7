#include "pipeline/Apply.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pipeline/ApplyDoubles.h"
#include "settings/MemoryProfile.h"

namespace trackalbum {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class ApplyTest : public ::testing::Test {
protected:
    ApplyResult Run() { return Apply(panel, store, document, host); }
    CameraGpsPage& Page() { return panel.GetCameraGpsPage(); }
    void GiveTrackAndPhotos(size_t photos) {
        Page().SetGpsFile("ride.gpx");
        Page().SetPhotoFolder("/photos");
        document.trackOnLoad = doubles::MakeTrack({5, 10, 15});
        document.picturesOnScan = photos;
    }

    struct : MemoryProfile {
        bool failFlush = false;
        bool Flush() override { return !failFlush; }
        std::string GetLastProblem() const override { return failFlush ? "/conf: disk full" : ""; }
    } profile;
    SettingsStore store{profile};
    ControlPanel panel;
    doubles::FakeDocument document;
    doubles::RecordingHost host;
};

TEST_F(ApplyTest, WithoutGpxFileOnlyTheSettingsAreStoredAndThePhotosListed) {
    GiveTrackAndPhotos(2);
    Page().SetGpsFile("");
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(host.events, Contains("pictures /photos 2"));
    EXPECT_THAT(host.events, Contains("information 設定値の保存だけ実行しました。"));
    EXPECT_THAT(host.StepTexts(), ElementsAre("地図設定値の保存完了", "", "設定値の保存だけ実行しました。", "適用処理完了"));
}

TEST_F(ApplyTest, TrackWithPhotosWritesAllFiveKindsInOrder) {
    GiveTrackAndPhotos(1);
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(host.events, Contains("navigate file:///html/3"));
    EXPECT_THAT(host.StepTexts(), ElementsAre("地図設定値の保存完了", "", "ルートのみHTML出力", "写真のみHTML出力",
                                              "ルートと写真のHTML出力", "プロファイルのHTML出力", "HTML表示開始", "適用処理完了"));
    // Comments typed in the list are stored before the rescan and read back after it;
    // photos are placed on the full track and the pages drawn from the reduced one.
    EXPECT_THAT(document.calls, ElementsAre("WriteComments ride.gpx", "LoadGpx ride.gpx", "LoadPictures /photos",
                                            "ReadComments ride.gpx", "PlacePictures", "Reduce", "EnsureFolder html",
                                            "EnsureFolder html/img", "WritePage 2", "WritePage 1", "WritePage 3",
                                            "WritePage 6", "WritePage 7",
                                            "WriteMapRuntime https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png",
                                            "WritePlayerIcons"));
}

TEST_F(ApplyTest, TheRuntimeAndTheIconsAreWrittenOnlyWhereThePagesLoadThemFromTheirFolder) {
    GiveTrackAndPhotos(0);
    ApiKeyPage& hosts = panel.GetApiKeyPage();
    hosts.SetAPIHost("https://maps.example.org"), hosts.SetNormalTileUrl("https://t.example/{z}/{x}/{y}.png");
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(document.calls, Contains("WritePlayerIcons"));
    EXPECT_THAT(document.calls, Not(Contains(::testing::StartsWith("WriteMapRuntime"))));

    hosts.SetAPIHost("."), hosts.SetIconHost("./");  // another folder as far as the pages know
    document.calls.clear();
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(document.calls, Contains("WriteMapRuntime https://t.example/{z}/{x}/{y}.png"));
    EXPECT_THAT(document.calls, Not(Contains("WritePlayerIcons")));
}

TEST_F(ApplyTest, HeaderIsWorkedOutAnewAndOffsetsAndSliderReachTheDocument) {
    GiveTrackAndPhotos(2);
    Page().SetClockCorrection(1), Page().SetClockMinutes(3), Page().SetCompression(100);
    Run();
    EXPECT_EQ(host.statuses[0], "地図設定値の保存完了");  // still the previous run's (empty) header
    EXPECT_EQ(host.statuses[1], "[3 2 32400 180]\r\n");
    EXPECT_EQ(host.statuses.back(), "[3 2 32400 180]\r\n適用処理完了");
    EXPECT_EQ(document.placementOffset, 32400 - 180);
    EXPECT_DOUBLE_EQ(document.tolerance, 0.00005);
    EXPECT_THAT(host.events, Contains("compression 3/3\r\n(100%)"));
    EXPECT_EQ(Page().GetCompressionResult(), "3/3\r\n(100%)");
}

TEST_F(ApplyTest, FileErrorsEndApplyAtTheirStep) {
    Page().SetGpsFile("empty.gpx");  // an empty track writes nothing, and there is no earlier page
    EXPECT_EQ(Run(), ApplyResult::Failed);
    EXPECT_EQ(host.StepTexts().back(), "HTML表示開始");
    EXPECT_EQ(host.events.back(), "error no page of kind 2");  // and the speed choices stay
    EXPECT_THAT(document.calls, Not(Contains("WritePlayerIcons")));  // nor anything the pages load
    document.pagesOnDisk.insert(2);  // a page left by an earlier run is shown instead
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_THAT(host.events, Contains("navigate file:///html/2"));

    GiveTrackAndPhotos(1);
    document.failWritingKind = 1;
    host = {};
    EXPECT_EQ(Run(), ApplyResult::Failed);
    EXPECT_EQ(document.calls.back(), "WritePage 1");
    EXPECT_EQ(host.StepTexts().back(), "ルートのみHTML出力");
    EXPECT_EQ(host.events.back(), "error cannot write html/x.html");
    EXPECT_EQ(Page().GetStatusText(), host.statuses.back());
}

TEST_F(ApplyTest, SpeedChoicesAreRefilledAndTheChosenLimitLastsOneRun) {
    GiveTrackAndPhotos(0);
    document.trackOnLoad = doubles::MakeTrack({0.4, 12.9, 12.1, 105.0, 30.5});
    Page().SetSpeedLimitOn(1);
    Page().GetSpeedChoices().SetText("31");
    Run();
    EXPECT_EQ(document.speedLimit, 31.0);
    EXPECT_EQ(host.events.back(), "speeds 4");  // "   0", "  12", "  30", " 105"
    Page().GetSpeedChoices().Select(2);  // "  30"
    Run();
    EXPECT_EQ(document.speedLimit, 30.0);
    Run();  // the box was emptied by the previous run
    EXPECT_EQ(document.speedLimit, 0.0);
}

TEST_F(ApplyTest, SettingsThatCannotBeStoredAreReportedAndApplyGoesOn) {
    profile.failFlush = true;
    EXPECT_EQ(Run(), ApplyResult::Completed);
    EXPECT_EQ(host.events.front(), "message 設定値をファイルに保存できませんでした。\n/conf: disk full");
}

}  // namespace
}  // namespace trackalbum
