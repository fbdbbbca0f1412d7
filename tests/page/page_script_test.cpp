// The pages' script run under node against a stand-in of the map API: it must load, its
// markers must show what the user wrote, and the player must stop where it is told to.
// Skipped where node is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "page/PageWriter.h"
#include "page_support.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

bool HasNode() { return std::system("node --version >/dev/null 2>&1") == 0; }

class PageScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HasNode()) GTEST_SKIP() << "node is not installed";
        testing::PinJapanTime();
    }
    // Runs the harness on the page; returns its output and sets `status`.
    std::string Run(const std::string& page, const char* mode, int& status) {
        const fs::path path = folder_.GetPath() / "page.html";
        std::ofstream(path, std::ios::binary) << page;
        const std::string command = "node " + std::string(TEST_DATA_DIR) + "/page/data/page_script_harness.js " +
                                    path.string() + " " + mode + " 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
        status = pclose(pipe);
        return output;
    }
    std::string Build(int kind, const GpsTrack& track, const PictureList& pictures = PictureList()) {
        return BuildPage(kind, options_, track, pictures, "0.1.0", testing::GoldenNow());
    }
    testing::TempFolder folder_;
    PageOptions options_ = testing::MakeOptions();
};

TEST_F(PageScriptTest, EveryKindLoads) {
    for (const int kind : {2, 1, 3, 6, 7}) {
        for (const GpsTrack& track : {testing::MakeOuting(), testing::MakeShortOuting(), testing::MakeTimelessOuting()}) {
            int status = 0;
            const std::string output = Run(Build(kind, track, testing::MakePictures()), "load", status);
            EXPECT_EQ(status, 0) << "kind " << kind << ": " << output;
        }
    }
}

TEST_F(PageScriptTest, MarkerShowsNameAndCommentAsWritten) {
    PictureList pictures = testing::MakePictures();
    pictures[0].SetFileName("say \"cheese\" #2 100%.jpg");
    pictures[0].SetComment("<b>川</b>の\"眺め\"\r\nC:\\photos </script>");
    int status = 0;
    const std::string output = Run(Build(3, testing::MakeOuting(), pictures), "load", status);
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find("<div class=\"time\">[2006/05/03 14:01]</div>"), std::string::npos) << output;
    EXPECT_NE(output.find("<img src=\"img/say %22cheese%22 %232 100%25.jpg\"/>"), std::string::npos) << output;
    EXPECT_NE(output.find("<div class=\"comment\"><b>川</b>の\"眺め\"\r\nC:\\photos </script></div>"),
              std::string::npos)
        << output;
}

TEST_F(PageScriptTest, LargeMarkerLinksThePicture) {
    options_.SetKeepOriginalSize(1);
    int status = 0;
    const std::string output = Run(Build(1, testing::MakeOuting(), testing::MakePictures()), "load", status);
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find("<a href=\"img/IMG_0001.JPG\" target=\"_blank\"><img width=\"120\" src=\"img/IMG_0001.JPG\"/></a>"),
              std::string::npos)
        << output;
}

TEST_F(PageScriptTest, PlayerStepsPlaysAndStops) {
    int status = 0;
    const std::string output = Run(Build(6, testing::MakeOuting()), "player", status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("ok stop before the end"), std::string::npos) << output;
    EXPECT_NE(output.find("ok one playback after a restart"), std::string::npos) << output;
}

TEST_F(PageScriptTest, OddTextInEveryFieldStaysText) {
    options_.SetPageName("</title><script>alert(1)</script>" + std::string(100000, 'x'));
    options_.SetAPIKey("\"><script>alert(2)</script>");
    options_.SetAPIHost("https://maps.example.org/?a=1&b=\"2\"");
    options_.SetIconHost("x\"+alert(3)+\"</script>");
    options_.SetGpsFile("/logs/a\"b<c>&d#1?.gpx");
    PictureList pictures = testing::MakePictures();
    pictures[0].SetFileName("\x82\xA0</script>.jpg");
    pictures[0].SetComment("\xFF<!-- \\\" \u2028");
    const std::string page = Build(7, testing::MakeOuting(), pictures);
    size_t scripts = 0;
    for (size_t at = page.find("<script"); at != std::string::npos; at = page.find("<script", at + 1)) ++scripts;
    EXPECT_EQ(scripts, 2u);  // the API's and the page's own
    EXPECT_NE(page.find("<img src=\"img\\a%22b&lt;c&gt;&amp;d%231%3F_ele.gif\" />"), std::string::npos);
    int status = 0;
    const std::string output = Run(page, "load", status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("<img src=\"img/%82%A0</script>.jpg\"/>"), std::string::npos) << output;
}

}  // namespace
}  // namespace trackalbum
