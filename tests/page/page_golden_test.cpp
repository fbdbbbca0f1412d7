// Whole pages: byte for byte, one per kind and per setting that changes the text
// (TA_UPDATE_GOLDEN=1 rewrites the files under golden/), and their script run under node
// against a stand-in of the map API (skipped where node is not installed).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <functional>

#include "page/PageWriter.h"
#include "page_support.h"

namespace trackalbum {
namespace {

using testing::Has;
using testing::MakeOuting;

std::string Build(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures) {
    return BuildPage(kind, options, track, pictures, "0.1.0", TimeValue(2006, 5, 3, 14, 7, 9));
}

TEST(GoldenPageTest, EveryKindAndSetting) {
    struct Case {
        const char* golden;
        int kind;
        GpsTrack track;
        std::function<void(PageOptions&, PictureList&)> change;
    };
    const auto none = [](PageOptions&, PictureList&) {};
    const Case cases[] = {
        {"route_usual.html", 2, MakeOuting(), none},
        {"route_fixed_zoom.html", 2, MakeOuting(), [](PageOptions& o, PictureList&) {
             o.SetAutoZoom(0), o.SetControlFlags(1), o.SetScale(0), o.SetMapType(1), o.SetJapanese(0);
             o.SetDisplayWidthText("640px"), o.SetDisplayHeightText("480px");
             o.SetPageName("Tama & Edo <\"river\"> ride"), o.SetAPIKey("key&with\"quote");
         }},
        {"picture_hybrid.html", 1, MakeOuting(),
         [](PageOptions& o, PictureList&) { o.SetControlFlags(0), o.SetScale(0), o.SetOverview(0), o.SetMapType(2); }},
        {"picture_route_comments.html", 3, MakeOuting(), [](PageOptions&, PictureList& p) {
             p[2].SetFileName("say \"cheese\" #2.jpg"), p[2].SetComment("<b>川</b>の\"眺め\"\r\nC:\\photos");
         }},
        {"picture_route_markup_comment.html", 3, MakeOuting(),
         [](PageOptions&, PictureList& p) { p[0].SetComment("<!--<script>"); }},
        {"picture_route_large.html", 3, MakeOuting(), [](PageOptions& o, PictureList& p) {
             o.SetKeepOriginalSize(1), p[0].SetFileName("landscape.png"), p[2].SetFileName("portrait.jpg");
         }},
        {"grade_coloured_trace.html", 6, MakeOuting(), none},
        {"grade_plain_trace.html", 6, MakeOuting(), [](PageOptions& o, PictureList&) { o.SetColoring(0); }},
        {"grade_coloured.html", 6, MakeOuting(), [](PageOptions& o, PictureList&) { o.SetIconTrace(0); }},
        {"grade_no_time.html", 6, MakeOuting(false), none},
        {"grade_short.html", 6, MakeOuting(true, false), none},
        {"picture_route_grade.html", 7, MakeOuting(), [](PageOptions& o, PictureList&) { o.SetIconTrace(0); }},
    };
    for (const Case& c : cases) {
        PageOptions options = testing::MakeOptions();
        PictureList pictures = testing::MakePictures();
        c.change(options, pictures);
        EXPECT_TRUE(testing::MatchesGolden(c.golden, Build(c.kind, options, c.track, pictures))) << c.golden;
    }
}

TEST(GoldenPageTest, CommaDecimalLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    const std::string page = Build(6, testing::MakeOptions(), MakeOuting(), PictureList());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(testing::MatchesGolden("grade_coloured_trace.html", page));
}

class PageScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("node --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
    }
    // Runs the harness on the page; the output, with "exit N" appended on failure.
    std::string Run(int kind, const GpsTrack& track, const PictureList& pictures, const char* mode = "load") {
        test::WriteFile("page.html", BuildPage(kind, options_, track, pictures, "0.1.0"));
        const std::string harness = std::string(TEST_DATA_DIR) + "/page/data/page_script_harness.js";
        const int status = std::system(("node " + harness + " page.html " + mode + " >out.txt 2>&1").c_str());
        return test::ReadFile("out.txt") + (status == 0 ? "" : "exit");
    }
    test::ScratchFolder folder_{test::ScratchFolder::Enter};
    PageOptions options_ = testing::MakeOptions();
};

TEST_F(PageScriptTest, EveryKindLoads) {
    for (const int kind : {2, 1, 3, 6, 7}) {
        for (const GpsTrack& track : {testing::MakeOuting(), testing::MakeOuting(true, false), testing::MakeOuting(false)}) {
            EXPECT_EQ(Run(kind, track, testing::MakePictures()).find("exit"), std::string::npos) << kind;
        }
    }
}

TEST_F(PageScriptTest, PlayerStopsWhereItIsTold) {
    const std::string output = Run(6, testing::MakeOuting(), PictureList(), "player");
    EXPECT_TRUE(Has(output, "ok one playback after a restart")) << output;
}

TEST_F(PageScriptTest, OddTextInEveryFieldStaysText) {
    options_.SetPageName("</title><script>alert(1)</script>" + std::string(100000, 'x'));
    options_.SetAPIKey("\"><script>alert(2)</script>");
    options_.SetAPIHost("https://maps.example.org/?a=1&b=\"2\"");
    options_.SetIconHost("x\"+alert(3)+\"</script>");
    options_.SetGpsFile("/logs/a\"b<c>&d#1?.gpx");
    PictureList pictures = testing::MakePictures();
    pictures[0].SetFileName("say \"cheese\" #2 100%\x82\xA0</script>.jpg");
    pictures[0].SetComment("<b>川</b>の\"眺め\"\r\nC:\\photos </script>\xFF");
    pictures[2].SetComment("<!--<script>x");
    const std::string page = BuildPage(7, options_, testing::MakeOuting(), pictures, "0.1.0");
    EXPECT_EQ(testing::CountOf(page, "<script"), 2u);  // the API's and the page's own
    EXPECT_TRUE(Has(page, "<img src=\"img\\a%22b&lt;c&gt;&amp;d%231%3F_ele.gif\" />"));
    EXPECT_TRUE(Has(page, "<script src=\"https://maps.example.org/?a=1&amp;b=&quot;2&quot;/maps?file=api&amp;"));
    EXPECT_TRUE(Has(page, "ic.image = \"x\\\"+alert(3)+\\\"<\\/script>/ridefinder/images/mm_20_red.png\";"));
    const std::string output = Run(7, testing::MakeOuting(), pictures);
    EXPECT_TRUE(Has(output, "<div class=\"time\">[2006/05/03 14:01]</div><div class=\"picture\">"
                            "<img src=\"img/say %22cheese%22 %232 100%25%82%A0</script>.jpg\"/></div>"
                            "<div class=\"comment\"><b>川</b>の\"眺め\"\r\nC:\\photos </script>\xEF\xBF\xBD</div>"))
        << output;
    EXPECT_TRUE(Has(output, "<div class=\"comment\"><!--<script>x</div>")) << output;
    options_.SetKeepOriginalSize(1);
    EXPECT_TRUE(Has(Run(1, testing::MakeOuting(), testing::MakePictures()),
                    "<a href=\"img/IMG_0001.JPG\" target=\"_blank\"><img width=\"120\" src=\"img/IMG_0001.JPG\"/></a>"));
}

}  // namespace
}  // namespace trackalbum
