// The frame and route fragments, checked against the texts they must write.
#include <gtest/gtest.h>

#include "page/PageSkeleton.h"
#include "page/RouteOverlay.h"
#include "page_support.h"
#include "pipeline/OutputKind.h"

namespace trackalbum {
namespace {

using testing::MakeOptions;
using testing::MakeTrack;

size_t CountOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++count;
    return count;
}

class PageFrameTest : public ::testing::Test {
protected:
    void SetUp() override { testing::PinJapanTime(); }
    PageOptions options_ = MakeOptions();
};

TEST_F(PageFrameTest, DoctypeCarriesTheLocalTimeAndVersion) {
    EXPECT_EQ(BuildDoctype(testing::GoldenNow(), "1.2.3"),
              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
              "  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
              "<!-- Outputted on 2006/05/03 14:07:09 by Trackalbum Ver 1.2.3, (C) the Trackalbum project -->\r\n");
}

TEST_F(PageFrameTest, StyleSizesTheMapAndPlacesThePanels) {
    const std::string style = BuildStyle(options_, "100%", "100%");
    EXPECT_EQ(style.rfind("  <style type=\"text/css\">\r\n    <!--\r\n    v\\:* {behavior:url(#default#VML);}\r\n", 0), 0u);
    EXPECT_NE(style.find("    /*地図*/\r\n    .map {\r\n        width: 100%;\r\n        height: 100%\r\n    }\r\n"),
              std::string::npos);
    // The panel rules take the profile size on every page.
    EXPECT_NE(style.find("    .player {\r\n        position: absolute;\r\n        top: 400px;\r\n"), std::string::npos);
    EXPECT_NE(style.find("    .legend {\r\n        width: 200px;\r\n        position: absolute;\r\n        top: 400px;\r\n"),
              std::string::npos);
    EXPECT_NE(style.find("        left: 600px;\r\n    }\r\n"), std::string::npos);
    EXPECT_NE(style.find("    .profile .graph .text {\r\n        font-size: 8pt;\r\n    }\r\n    -->\r\n    </style>\r\n"),
              std::string::npos);
    EXPECT_EQ(CountOf(style, " {\r\n"), 14u);  // sixteen rules, two of them on one line
}

TEST_F(PageFrameTest, HeadNamesTheApiWithOrWithoutJapanese) {
    EXPECT_EQ(BuildHeadMeta(options_),
              "    <meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/>\r\n"
              "    <title>多摩川サイクリング</title>\r\n"
              "    <script src=\"./maps?file=api&amp;v=2&amp;hl=ja&amp;key=ABQIAAAA-test_key\"\r\n"
              "\ttype=\"text/javascript\"></script>\r\n");
    options_.SetJapanese(0);
    options_.SetAPIKey("");
    options_.SetAPIHost("https://maps.example.org");
    EXPECT_NE(BuildHeadMeta(options_).find("<script src=\"https://maps.example.org/maps?file=api&amp;v=2&amp;key=\"\r\n"),
              std::string::npos);
}

TEST_F(PageFrameTest, HeadEscapesMarkupInNameAndKey) {
    options_.SetPageName("A&B <\"walk\">");
    options_.SetAPIKey("k&y\"><script>");
    const std::string head = BuildHeadMeta(options_);
    EXPECT_NE(head.find("    <title>A&amp;B &lt;&quot;walk&quot;&gt;</title>\r\n"), std::string::npos);
    EXPECT_NE(head.find("key=k&amp;y&quot;&gt;&lt;script&gt;\"\r\n"), std::string::npos);
}

TEST_F(PageFrameTest, ControlsFollowTheFixedOrder) {
    options_.SetControlFlags(5);
    EXPECT_EQ(BuildMapControls(options_),
              "        map.addControl(new GSmallMapControl());\r\n"
              "        map.addControl(new GMapTypeControl());\r\n"
              "        map.addControl(new GScaleControl());\r\n"
              "        map.addControl(new GOverviewMapControl());\r\n");
    options_.SetControlFlags(0);
    options_.SetScale(0);
    options_.SetOverview(0);
    EXPECT_EQ(BuildMapControls(options_), "");
}

TEST_F(PageFrameTest, ScriptVariablesAlwaysHoldTheMarkerFunctions) {
    const std::string plain = BuildScriptVariables(false, 6);
    EXPECT_EQ(plain.rfind("\tvar map = null;\r\n\t//画像マーカー作成\r\n", 0), 0u);
    EXPECT_EQ(CountOf(plain, "\r\n"), 16u);
    const std::string player = BuildScriptVariables(true, 6);
    EXPECT_EQ(player.rfind("\tvar map = null;\r\n\t/*プレイヤーのための変数*/\r\n\tvar span = 0;\r\n\tvar ic = null;\r\n"
                           "\tvar bike = null;\r\n\tvar pos = 0;\r\n\tvar ps = [];\r\n\t\t\r\n",
                           0),
              0u);
    EXPECT_NE(player.find("\t\tvar t1 = pos * 6;\r\n"), std::string::npos);
}

TEST_F(PageFrameTest, BodyHasPanelsOnlyOnProfilePages) {
    const GpsTrack track = testing::MakeOuting();
    EXPECT_EQ(BuildBody(options_, OutputKind::Route, track),
              "  <body onload=\"load()\" onunload=\"GUnload()\">\r\n    <div id=\"map\" class=\"map\"></div>\r\n  </body>\r\n");
    options_.SetColoring(0);
    const std::string profile = BuildBody(options_, 6, track);
    EXPECT_EQ(profile.find("class=\"legend\""), std::string::npos);
    EXPECT_NE(profile.find("\t  <div class=\"player\">\r\n"), std::string::npos);
    EXPECT_NE(profile.find("<div class=\"profile\">\r\n"), std::string::npos);
}

class MapViewTest : public ::testing::Test {
protected:
    PageOptions options_ = MakeOptions();
};

TEST_F(MapViewTest, AutoZoomFitsTheBoundsNorthWestFirst) {
    const GpsTrack track = MakeTrack({{35.2, 139.0, 0, 0}, {36.0, 139.5, 0, 10}, {35.0, 140.0, 0, 20}});
    EXPECT_EQ(BuildMapView(options_, track),
              "\r\n"
              "        //ズームレベルの取得\r\n"
              "        var level = map.getBoundsZoomLevel( new GLatLngBounds( new GLatLng( 36.000000, 139.000000), "
              "new GLatLng( 35.000000, 140.000000) ) );\r\n"
              "        //地図中心の設定\r\n"
              "        map.setCenter(new GLatLng( 35.500000, 139.500000), level);\r\n"
              "\r\n"
              "        //地図表示タイプ設定(G_NORMAL_MAP/G_SATELLITE_MAP/G_HYBRID_MAP)\r\n"
              "        map.setMapType(G_NORMAL_MAP);\r\n");
}

TEST_F(MapViewTest, OnePointIsBothCornersAndTheCentre) {
    const GpsTrack track = MakeTrack({{-33.86882, -151.20929, 0, 0}});
    EXPECT_NE(BuildMapView(options_, track).find("new GLatLngBounds( new GLatLng(-33.868820,-151.209290), "
                                                 "new GLatLng(-33.868820,-151.209290) ) );\r\n"),
              std::string::npos);
    EXPECT_NE(BuildMapView(options_, track).find("map.setCenter(new GLatLng(-33.868820,-151.209290), level);"),
              std::string::npos);
}

TEST_F(MapViewTest, FixedZoomAndMapTypes) {
    options_.SetAutoZoom(0);
    options_.SetZoomLevel(12);
    options_.SetMapType(5);
    const GpsTrack track = MakeTrack({{35.0, 139.0, 0, 0}, {36.0, 140.0, 0, 10}});
    EXPECT_EQ(BuildMapView(options_, track),
              "\r\n"
              "        //地図中心の設定\r\n"
              "        map.setCenter(new GLatLng( 35.500000, 139.500000), 12);\r\n"
              "\r\n"
              "        //地図表示タイプ設定(G_NORMAL_MAP/G_SATELLITE_MAP/G_HYBRID_MAP)\r\n"
              "        map.setMapType(G_NORMAL_MAP);\r\n");
    EXPECT_EQ(GetMapTypeName(0), "G_NORMAL_MAP");
    EXPECT_EQ(GetMapTypeName(1), "G_SATELLITE_MAP");
    EXPECT_EQ(GetMapTypeName(2), "G_HYBRID_MAP");
    EXPECT_EQ(GetMapTypeName(-1), "G_NORMAL_MAP");
}

class RouteOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        options_.SetIconTrace(0);
        options_.SetUpColorHex("AA0000");
        options_.SetDownColorHex("0000BB");
        options_.SetFlatColorHex("00CC00");
        options_.SetPathColorHex("123456");
        options_.SetPathWidth(3);
    }
    // Grade classes flat (the first point), up, up, flat, flat, down.
    GpsTrack track_ = MakeTrack({{35.000, 139.0, 0, 0}, {35.001, 139.0, 10, 10}, {35.002, 139.0, 20, 20},
                                 {35.003, 139.0, 20, 30}, {35.004, 139.0, 20, 40}, {35.005, 139.0, 10, 50}},
                                false);
    PageOptions options_ = MakeOptions();
};

std::string Push(const std::string& latitude) {
    return "        points.push(new GLatLng(" + latitude + ", 139.000000));\r\n";
}

std::string Polyline(const std::string& colour) {
    return "        //軌跡設定\r\n        map.addOverlay(new GPolyline(points, \"#" + colour + "\", 3));\r\n";
}

TEST_F(RouteOverlayTest, GradeColouredStretchesShareTheirJoiningPoint) {
    const std::string expected = "        var points = [];\r\n        //GPSデータ\r\n" + Push(" 35.000000") + Push(" 35.001000") +
                                 Polyline("00CC00") + "        points = [];\r\n" + Push(" 35.001000") + Push(" 35.002000") +
                                 Push(" 35.003000") + Polyline("AA0000") + "        points = [];\r\n" + Push(" 35.003000") +
                                 Push(" 35.004000") + Push(" 35.005000") + Polyline("00CC00") + "        points = [];\r\n" +
                                 Push(" 35.005000") + Polyline("0000BB");
    EXPECT_EQ(BuildRouteOverlay(options_, 6, track_), expected);
}

TEST_F(RouteOverlayTest, SingleRouteWithoutColouringOrProfile) {
    const std::string expected = "        var points = [];\r\n        //GPSデータ\r\n" + Push(" 35.000000") + Push(" 35.001000") +
                                 Push(" 35.002000") + Push(" 35.003000") + Push(" 35.004000") + Push(" 35.005000") + Polyline("123456");
    EXPECT_EQ(BuildRouteOverlay(options_, OutputKind::Route, track_), expected);
    EXPECT_EQ(BuildRouteOverlay(options_, 3, track_), expected);  // colouring needs the profile layout
    options_.SetColoring(0);
    EXPECT_EQ(BuildRouteOverlay(options_, 6, track_), expected);
    EXPECT_EQ(BuildPolyline(options_, 7), Polyline("00CC00"));
}

TEST_F(RouteOverlayTest, PicturesOnlyPageHasNoRoute) {
    EXPECT_EQ(BuildRouteOverlay(options_, OutputKind::Picture, track_), "");
    const std::string load = BuildLoadFunction(options_, OutputKind::Picture, track_, PictureList());
    EXPECT_EQ(load.find("GPolyline"), std::string::npos);
    EXPECT_NE(load.find("map.setCenter("), std::string::npos);
}

}  // namespace
}  // namespace trackalbum
