// Escaping, UTF-8 repair, the coordinate format, and the fragment cases that the whole
// pages under golden/ do not reach.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "page/Escaping.h"
#include "page/PageFormat.h"
#include "page/PageWriter.h"
#include "page/PhotoMarkers.h"
#include "page/ProfilePanel.h"
#include "page/Utf8.h"
#include "page_support.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

using testing::Has;
const std::string R = "\xEF\xBF\xBD";  // U+FFFD

TEST(PageTextTest, EscapesReplaceExactlyTheirCharacters) {
    EXPECT_EQ(EscapeMarkup("A&B <\"walk\"> 'x' 多摩川"), "A&amp;B &lt;&quot;walk&quot;&gt; 'x' 多摩川");
    EXPECT_EQ(EscapeScriptString(R"(say "hi" C:\p)"), R"(say \"hi\" C:\\p)");
    EXPECT_EQ(EscapeScriptString("a\r\nb <b>x</b></script> a<"), R"(a\r\nb <b>x<\/b><\/script> a<)");
    // Only a "<" that opens a comment or a script element changes, in any case.
    EXPECT_EQ(EscapeScriptString("<!--<script> <SCRIPT <ScRiPt>x"), R"(\x3C!--\x3Cscript> \x3CSCRIPT \x3CScRiPt>x)");
    EXPECT_EQ(EscapeScriptString("<!- <!x <scrip <scripts 1<2 <"), "<!- <!x <scrip \\x3Cscripts 1<2 <");
    EXPECT_EQ(EncodeAddress("100%#1?\"写真 1.jpg"), "100%25%231%3F%22写真 1.jpg");
    EXPECT_EQ(EncodeAddress("\x82\xA0.jpg"), "%82%A0.jpg");  // a Shift-JIS name on a Linux disk
}

TEST(PageTextTest, RepairReplacesEachBrokenPieceOnce) {
    const std::pair<std::string, std::string> cases[] = {
        {"統計情報 \xF0\x9F\x9A\xB2", "統計情報 \xF0\x9F\x9A\xB2"}, {"a\xFF" "b", "a" + R + "b"},
        {"\xE6\x9D" "x", R + "x"},  // cut short: one replacement, the next character survives
        {"\xC0\xAF", R + R}, {"\xED\xA0\x80", R + R + R}, {"\x82\xA0^", R + R + "^"},  // overlong, surrogate
    };
    for (const auto& [text, repaired] : cases) {
        EXPECT_EQ(RepairUtf8(text), repaired);
        EXPECT_EQ(IsValidUtf8(text), text == repaired);
    }
}

TEST(PageTextTest, CoordinatesMatchPrintfForEveryValue) {
    std::mt19937_64 random(20060503);
    std::uniform_real_distribution<double> degrees(-400.0, 400.0);
    std::uniform_int_distribution<int> scale(-30, 40);
    std::vector<double> values = {0.0, -0.0, 0.0000005, -0.0000015, 0.0000025, 89.9999995, -179.9999995, 1e-300,
                                  4.9e-324, 999999999999.9999, 1e12, -1e22, std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (int i = 0; i < 2000; ++i) values.push_back((2 * i + 1) / 128.0 * (i % 2 ? 1 : -1));  // exact halves
    for (int i = 0; i < 20000; ++i) values.push_back(degrees(random) * std::ldexp(1.0, i % 2 ? 0 : scale(random)));
    for (const double value : values) {
        for (const int width : {10, 11}) {
            std::string fast;
            AppendFixed6(fast, value, width);
            ASSERT_EQ(fast, FormatC("%*.6f", width, value)) << value;
        }
    }
}

TEST(ProfilePanelTest, TimesAndPaces) {
    for (const auto& [seconds, text] : {std::pair<int64_t, const char*>{0, "00:00:00"}, {86399, "23:59:59"},
                                        {86400, "24:00:00"}, {90123, "25:02:03"}})
        EXPECT_EQ(FormatDuration(TimeSpan(seconds)), text);
    EXPECT_EQ(FormatPace(20.0), " 3.0");
    for (const double none : {0.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(FormatPace(none), "  --") << none;
}

TEST(ProfilePanelTest, ElevationsAreWholeMetresAndEmptyClassesHaveNoPace) {
    const PageOptions options = testing::MakeOptions();
    const std::string rounded = BuildProfilePanel(
        options, testing::MakeTrack({{35.0, 139.0, 0.0, 0}, {35.001, 139.0, 1234.4, 0}, {35.002, 139.0, 421.8, 0}}, false));
    EXPECT_TRUE(Has(rounded, "align=\"right\">+ 1234m<br />\r\n\t\t\t-  813m</td>\r\n"));
    // Only climbing legs: no descent, and the down and flat rows have no points.
    const std::string climbing = BuildProfilePanel(
        options, testing::MakeTrack({{35.0, 139.0, 0.0, 0}, {35.001, 139.0, 10.0, 60}, {35.002, 139.0, 20.0, 120}}));
    EXPECT_TRUE(Has(climbing, "\r\n\t\t\t-    0m</td>\r\n"));
    EXPECT_TRUE(Has(climbing, "\t\t\t<td class=\"text\">下り</td>\r\n"
                              "\t\t\t\t<td class=\"text\" align=\"right\"> 0.0</td>\r\n"
                              "\t\t\t\t<td class=\"text\" align=\"right\"> 0.0</td>\r\n"
                              "\t\t\t\t<td class=\"text\" align=\"right\">  --</td>\r\n"));
}

TEST(PhotoMarkersTest, MarkersOnlyForPlacedPhotosOnPicturePages) {
    PictureList unplaced;
    unplaced.AddTail(PictureRecord());
    EXPECT_EQ(BuildPhotoMarkers(testing::MakeOptions(), 3, unplaced), "\r\n        //写真マーカ\r\n");
    // The large form's width: 160 for a landscape picture, else 120, also for one that is missing.
    const std::pair<const char*, int> widths[] = {
        {"landscape.png", 160}, {"portrait.jpg", 120}, {"square.gif", 120}, {"missing.jpg", 120}};
    for (const auto& [name, width] : widths) {
        EXPECT_EQ(GetMarkerPictureWidth(testing::MakePicture(name, "", TimeValue())), width) << name;
    }
}

TEST(PlayerTest, StepOfATrackRunningBackwardsIsWrittenAsItIs) {
    // 3000 s backwards: the player step is -5, and no trace is written.
    const GpsTrack track = testing::MakeTrack({{35.0, 139.0, 0.0, 0}, {35.001, 139.0, 0.0, -3000}});
    const std::string page = BuildPage(6, testing::MakeOptions(), track, PictureList(), "0.1.0");
    EXPECT_TRUE(Has(page, "\r\n\t\tvar t1 = pos * -5;\r\n"));
    EXPECT_TRUE(Has(page, "\t\t// トレース用データを出力できませんでした。\r\n      }\r\n"));
    EXPECT_EQ(testing::CountOf(page, " disabled=\"disabled\"/>"), 5u);
}

}  // namespace
}  // namespace trackalbum
