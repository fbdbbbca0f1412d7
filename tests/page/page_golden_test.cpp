// Whole pages, byte for byte, one per kind and per setting that changes the text.
// TA_UPDATE_GOLDEN=1 rewrites the files under golden/; review every change line by line.
#include <gtest/gtest.h>

#include <clocale>

#include "page/PageWriter.h"
#include "page_support.h"

namespace trackalbum {
namespace {

class GoldenPageTest : public ::testing::Test {
protected:
    void SetUp() override { testing::PinJapanTime(); }
    std::string Build(int kind, const GpsTrack& track, const PictureList& pictures = PictureList()) {
        return BuildPage(kind, options_, track, pictures, "0.1.0", testing::GoldenNow());
    }
    PageOptions options_ = testing::MakeOptions();
    GpsTrack outing_ = testing::MakeOuting();
};

TEST_F(GoldenPageTest, RouteWithUsualSettings) {
    EXPECT_TRUE(testing::MatchesGolden("route_usual.html", Build(2, outing_)));
}

TEST_F(GoldenPageTest, RouteWithFixedZoomSmallControlSatelliteAndPixels) {
    options_.SetAutoZoom(0);
    options_.SetZoomLevel(12);
    options_.SetControlFlags(1);
    options_.SetScale(0);
    options_.SetMapType(1);
    options_.SetDisplayWidthText("640px");
    options_.SetDisplayHeightText("480px");
    options_.SetJapanese(0);
    options_.SetPageName("Tama & Edo <\"river\"> ride");
    options_.SetAPIKey("key&with\"quote");
    EXPECT_TRUE(testing::MatchesGolden("route_fixed_zoom.html", Build(2, outing_)));
}

TEST_F(GoldenPageTest, PicturesWithoutControlsOnHybridMap) {
    options_.SetControlFlags(0);
    options_.SetScale(0);
    options_.SetOverview(0);
    options_.SetMapType(2);
    EXPECT_TRUE(testing::MatchesGolden("picture_hybrid.html", Build(1, outing_, testing::MakePictures())));
}

TEST_F(GoldenPageTest, RouteAndPicturesWithMarkupInComments) {
    PictureList pictures = testing::MakePictures();
    pictures[2].SetFileName("say \"cheese\" #2.jpg");
    pictures[2].SetComment("<b>川</b>の\"眺め\"\r\nC:\\photos");
    EXPECT_TRUE(testing::MatchesGolden("picture_route_comments.html", Build(3, outing_, pictures)));
}

TEST_F(GoldenPageTest, RouteAndPicturesInLargeForm) {
    options_.SetKeepOriginalSize(1);
    PictureList pictures = testing::MakePictures();
    for (PictureRecord& record : pictures) record.SetFolder(std::string(TEST_DATA_DIR) + "/page/data");
    pictures[0].SetFileName("landscape.png");
    pictures[2].SetFileName("portrait.jpg");
    EXPECT_TRUE(testing::MatchesGolden("picture_route_large.html", Build(3, outing_, pictures)));
}

TEST_F(GoldenPageTest, ProfileColouredWithTrace) {
    EXPECT_TRUE(testing::MatchesGolden("grade_coloured_trace.html", Build(6, outing_)));
}

TEST_F(GoldenPageTest, ProfilePlainRouteWithTrace) {
    options_.SetColoring(0);
    EXPECT_TRUE(testing::MatchesGolden("grade_plain_trace.html", Build(6, outing_)));
}

TEST_F(GoldenPageTest, ProfileColouredWithoutTrace) {
    options_.SetIconTrace(0);
    EXPECT_TRUE(testing::MatchesGolden("grade_coloured.html", Build(6, outing_)));
}

TEST_F(GoldenPageTest, ProfileOfTrackWithoutTime) {
    EXPECT_TRUE(testing::MatchesGolden("grade_no_time.html", Build(6, testing::MakeTimelessOuting())));
}

TEST_F(GoldenPageTest, ProfileOfTrackUnderTenMinutes) {
    EXPECT_TRUE(testing::MatchesGolden("grade_short.html", Build(6, testing::MakeShortOuting())));
}

TEST_F(GoldenPageTest, ProfileWithPictures) {
    options_.SetIconTrace(0);
    EXPECT_TRUE(testing::MatchesGolden("picture_route_grade.html", Build(7, outing_, testing::MakePictures())));
}

TEST_F(GoldenPageTest, CommaDecimalLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    const std::string page = Build(6, outing_);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(testing::MatchesGolden("grade_coloured_trace.html", page));
}

}  // namespace
}  // namespace trackalbum
