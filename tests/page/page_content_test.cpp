// Photo markers, legend, player and statistics panel.
#include <gtest/gtest.h>

#include "page/PhotoMarkers.h"
#include "page/Player.h"
#include "page/ProfilePanel.h"
#include "page_support.h"
#include "pipeline/OutputKind.h"

namespace trackalbum {
namespace {

using testing::MakeOptions;

class PhotoMarkersTest : public ::testing::Test {
protected:
    void SetUp() override { testing::PinJapanTime(); }
    PictureRecord Placed(const std::string& name, const std::string& comment) {
        PictureRecord record;
        record.SetFolder(std::string(TEST_DATA_DIR) + "/page/data");
        record.SetFileName(name);
        record.SetComment(comment);
        record.SetTakenTime(TimeValue(2006, 5, 3, 14, 7, 59));
        record.SetPosition(35.681236, 139.767125);
        return record;
    }
    PageOptions options_ = MakeOptions();
};

TEST_F(PhotoMarkersTest, OnlyPicturePagesCarryMarkers) {
    PictureList pictures;
    pictures.AddTail(Placed("IMG_0001.JPG", ""));
    EXPECT_EQ(BuildPhotoMarkers(options_, OutputKind::Route, pictures), "");
    EXPECT_EQ(BuildPhotoMarkers(options_, 6, pictures), "");
    EXPECT_NE(BuildPhotoMarkers(options_, 7, pictures), "");
}

TEST_F(PhotoMarkersTest, UnplacedPhotosGetNoMarker) {
    PictureList pictures;
    pictures.AddTail(PictureRecord());
    EXPECT_EQ(BuildPhotoMarkers(options_, 3, pictures), "\r\n        //写真マーカ\r\n");
}

TEST_F(PhotoMarkersTest, PlainMarkerDropsTheSeconds) {
    PictureList pictures;
    pictures.AddTail(Placed("IMG_0001.JPG", "橋の上から"));
    EXPECT_EQ(BuildPhotoMarkers(options_, OutputKind::Picture, pictures),
              "\r\n        //写真マーカ\r\n"
              "        map.addOverlay(createMarker(new GLatLng( 35.681236, 139.767125),\"img/IMG_0001.JPG\","
              "\"橋の上から\",\"[2006/05/03 14:07]\"));\r\n");
}

TEST_F(PhotoMarkersTest, NamesAndCommentsCannotBreakTheScript) {
    PictureList pictures;
    pictures.AddTail(Placed("a\"b\\c#1%?.jpg", "<b>太字</b> \"quoted\"\r\nnext"));
    const std::string markers = BuildPhotoMarkers(options_, OutputKind::Picture, pictures);
    EXPECT_NE(markers.find(R"("img/a%22b\\c%231%25%3F.jpg","<b>太字<\/b> \"quoted\"\r\nnext","[2006/05/03 14:07]"));)"),
              std::string::npos);
}

TEST_F(PhotoMarkersTest, LargePictureWidthFollowsTheShape) {
    options_.SetKeepOriginalSize(1);
    PictureList pictures;
    pictures.AddTail(Placed("landscape.png", "wide"));
    pictures.AddTail(Placed("portrait.jpg", "tall"));
    pictures.AddTail(Placed("square.gif", "square"));
    pictures.AddTail(Placed("missing.jpg", "gone"));
    const std::string markers = BuildPhotoMarkers(options_, OutputKind::Picture, pictures);
    EXPECT_NE(markers.find("        map.addOverlay(createMarkerForBigPicture(new GLatLng( 35.681236, 139.767125),"
                           "\"width=\\\"160\\\"\",\"img/landscape.png\",\"wide\",\"[2006/05/03 14:07]\"));\r\n"),
              std::string::npos);
    EXPECT_NE(markers.find("\"width=\\\"120\\\"\",\"img/portrait.jpg\""), std::string::npos);
    EXPECT_NE(markers.find("\"width=\\\"120\\\"\",\"img/square.gif\""), std::string::npos);
    EXPECT_NE(markers.find("\"width=\\\"120\\\"\",\"img/missing.jpg\""), std::string::npos);
}

class PlayerTest : public ::testing::Test {
protected:
    PageOptions options_ = MakeOptions();
};

TEST_F(PlayerTest, TraceHoldsOnePositionPerStepAndTheIcon) {
    const GpsTrack track = testing::MakeOuting();  // 3600 s: a position every 6 s
    EXPECT_EQ(GetTraceStep(track), 6);
    EXPECT_TRUE(HasTracePositions(options_, 6, track));
    const std::string trace = BuildTrace(options_, 6, track);
    EXPECT_EQ(trace.rfind("\t\t// トレース用データ\r\n        ps.push(new GLatLng( 35.681236, 139.767125));\r\n", 0), 0u);
    size_t positions = 0;
    for (size_t at = trace.find("ps.push("); at != std::string::npos; at = trace.find("ps.push(", at + 1)) ++positions;
    EXPECT_EQ(positions, 601u);
    EXPECT_NE(trace.find("\t\t// トレース用アイコン\r\n\t\t\t\tic = new GIcon();\r\n"
                         "\t\t\t\tic.image = \"./ridefinder/images/mm_20_red.png\";\r\n"
                         "\t\t\t\tic.shadow = \"./ridefinder/images/mm_20_shadow.png\";\r\n"
                         "\t\t\t\tic.iconSize = new GSize(12, 20);\r\n"),
              std::string::npos);
    EXPECT_TRUE(trace.ends_with("\t\t\t\tbike = new GMarker(ps[0], ic);\r\n\t\t\t\tmap.addOverlay(bike);\r\n"));
}

TEST_F(PlayerTest, NoTraceWithoutTimeSpan) {
    for (const GpsTrack& track : {testing::MakeShortOuting(), testing::MakeTimelessOuting()}) {
        EXPECT_EQ(GetTraceStep(track), 0);
        EXPECT_FALSE(HasTracePositions(options_, 6, track));
        EXPECT_EQ(BuildTrace(options_, 6, track),
                  "\t\t// トレース用データ\r\n\t\t// トレース用データを出力できませんでした。\r\n");
    }
}

TEST_F(PlayerTest, TraceNeedsRouteProfileAndIconTrace) {
    const GpsTrack track = testing::MakeOuting();
    EXPECT_EQ(BuildTrace(options_, 3, track), "");
    EXPECT_EQ(BuildTrace(options_, 4, track), "");
    EXPECT_FALSE(HasTracePositions(options_, 5, track));
    options_.SetIconTrace(0);
    EXPECT_EQ(BuildTrace(options_, 7, track), "");
}

TEST_F(PlayerTest, IconHostIsAScriptString) {
    options_.SetIconHost("https://maps.example.org/a\"b");
    EXPECT_NE(BuildTrace(options_, 6, testing::MakeOuting())
                  .find("ic.image = \"https://maps.example.org/a\\\"b/ridefinder/images/mm_20_red.png\";"),
              std::string::npos);
}

TEST_F(PlayerTest, ButtonsAreDisabledWithoutPositions) {
    const std::string enabled = BuildPlayerForm(true);
    EXPECT_NE(enabled.find("\t\t\t<input type=\"button\" onclick=\"resetPos()\" value=\"|<\" name=\"head\" "
                           "title=\"開始位置へジャンプ\"/>\r\n"),
              std::string::npos);
    EXPECT_EQ(enabled.find("disabled"), std::string::npos);
    const std::string disabled = BuildPlayerForm(false);
    EXPECT_NE(disabled.find("\t\t\t<input type=\"button\" onclick=\"gotoTail()\" value=\">|\" name=\"tail\" "
                            "title=\"終了位置へジャンプ\" disabled=\"disabled\"/>\r\n"),
              std::string::npos);
    size_t count = 0;
    for (size_t at = disabled.find(" disabled=\"disabled\"/>"); at != std::string::npos;
         at = disabled.find(" disabled=\"disabled\"/>", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 5u);
}

TEST_F(PlayerTest, LegendShowsTheThreeColours) {
    EXPECT_EQ(BuildLegend(options_),
              "\t<div class=\"legend\">\r\n"
              "\t\t<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\r\n"
              "\t\t\t<tr>\r\n"
              "\t\t\t<td class=\"title\">凡例</td>\r\n"
              "\t\t</tr>\r\n"
              "\t\t</table>\r\n"
              "\t\t<table width=\"100%\" border=\"1\" cellpadding=\"0\" cellspacing=\"0\">\r\n"
              "\t\t\t<tr>\r\n"
              "\t\t\t<td class=\"text\"><font color=\"#FF0000\">上り</font></td>\r\n"
              "\t\t\t<td class=\"text\"><font color=\"#0000FF\">下り</font></td>\r\n"
              "\t\t\t<td class=\"text\"><font color=\"#00FF00\">平地</font></td>\r\n"
              "\t\t\t</tr>\r\n"
              "\t\t\t</table></div>\r\n");
}

TEST(ProfileNumbersTest, DurationHoursRunPastADay) {
    EXPECT_EQ(FormatDuration(TimeSpan(0)), "00:00:00");
    EXPECT_EQ(FormatDuration(TimeSpan(86399)), "23:59:59");
    EXPECT_EQ(FormatDuration(TimeSpan(86400)), "24:00:00");
    EXPECT_EQ(FormatDuration(TimeSpan(25 * 3600 + 2 * 60 + 3)), "25:02:03");
    EXPECT_EQ(FormatDuration(TimeSpan(1000 * 3600 + 5)), "1000:00:05");
}

TEST(ProfileNumbersTest, PaceOfNoSpeedIsDashes) {
    EXPECT_EQ(FormatPace(20.0), " 3.0");
    EXPECT_EQ(FormatPace(7.5), " 8.0");
    EXPECT_EQ(FormatPace(0.0), "  --");
    EXPECT_EQ(FormatPace(std::numeric_limits<double>::quiet_NaN()), "  --");
    EXPECT_EQ(FormatPace(std::numeric_limits<double>::infinity()), "  --");
}

TEST(ProfileNumbersTest, ChartReferencesKeepTheBackslash) {
    EXPECT_EQ(GetElevationChartReference("/logs/Ride.Gpx"), "img\\Ride_ele.gif");
    EXPECT_EQ(GetSpeedChartReference("Ride.gpx"), "img\\Ride_dis.gif");
    EXPECT_EQ(GetSpeedChartReference("a&b#1.gpx"), "img\\a&amp;b%231_dis.gif");
}

class ProfilePanelTest : public ::testing::Test {
protected:
    PageOptions options_ = MakeOptions();
};

TEST_F(ProfilePanelTest, ClimbAndDescentAreWholeMetres) {
    const GpsTrack track = testing::MakeTrack({{35.0, 139.0, 0.0, 0}, {35.001, 139.0, 1234.4, 0}, {35.002, 139.0, 421.8, 0}},
                                              false);
    const std::string panel = BuildProfilePanel(options_, track);
    EXPECT_NE(panel.find("\t\t  <td width=\"50%\" class=\"text\" align=\"right\">+ 1234m<br />\r\n\t\t\t-  813m</td>\r\n"),
              std::string::npos);
    EXPECT_NE(panel.find("\t\t  <td class=\"text\" align=\"right\"> 1234m</td>\r\n"), std::string::npos);
    EXPECT_NE(panel.find("\t\t  <td class=\"text\" align=\"right\">    0m</td>\r\n"), std::string::npos);
}

TEST_F(ProfilePanelTest, NoDescentIsAPlainZero) {
    const GpsTrack track = testing::MakeTrack({{35.0, 139.0, 5.0, 0}, {35.001, 139.0, 15.0, 60}});
    EXPECT_NE(BuildProfilePanel(options_, track).find("\r\n\t\t\t-    0m</td>\r\n"), std::string::npos);
}

TEST_F(ProfilePanelTest, WithoutTimeThePanelEndsAfterTheDistances) {
    const std::string panel = BuildProfilePanel(options_, testing::MakeTimelessOuting());
    EXPECT_EQ(panel.find("_dis.gif"), std::string::npos);
    EXPECT_EQ(panel.find("ペース"), std::string::npos);
    EXPECT_TRUE(panel.ends_with("\t\t  <td align=\"right\" class=\"text\"> 平地</td>\r\n"
                                "\t\t  <td class=\"text\" align=\"right\">  0.4km</td>\r\n\t\t</tr>\r\n\t  </table>\r\n\t  </div>\r\n"))
        << panel;
}

TEST_F(ProfilePanelTest, EmptyClassesShowDashesForPace) {
    // Only climbing legs: the down and flat rows have no points.
    const GpsTrack track = testing::MakeTrack({{35.0, 139.0, 0.0, 0}, {35.001, 139.0, 10.0, 60}, {35.002, 139.0, 20.0, 120}});
    const std::string panel = BuildProfilePanel(options_, track);
    EXPECT_NE(panel.find("\t\t\t<tr> \r\n\t\t\t<td class=\"text\">下り</td>\r\n"
                         "\t\t\t\t<td class=\"text\" align=\"right\"> 0.0</td>\r\n"
                         "\t\t\t\t<td class=\"text\" align=\"right\"> 0.0</td>\r\n"
                         "\t\t\t\t<td class=\"text\" align=\"right\">  --</td>\r\n\t\t\t</tr>\r\n"),
              std::string::npos);
    EXPECT_EQ(panel.find("inf"), std::string::npos);
    EXPECT_EQ(panel.find("nan"), std::string::npos);
}

}  // namespace
}  // namespace trackalbum
