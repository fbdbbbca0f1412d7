// The view names the program, with the version the build gives it, to the sites its pages
// load from.
#include "shell/CTrackalbumView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/webview.h>

#include "ShellTestSupport.h"
#include "shell/GetVersionString.h"

namespace trackalbum {
namespace {

TEST(ProgramUserAgentTest, TheEngineStringThenTheProgramAndAVersionFitForAHeader) {
    const std::string engine = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15 (KHTML, like Gecko)";
    // No version built in ("不明"), or one that cannot go into a header: the name alone.
    const std::pair<const char*, const char*> cases[] = {
        {"0.1.0", " Trackalbum/0.1.0"}, {"1.2.3-rc1+git", " Trackalbum/1.2.3-rc1+git"},
        {"不明", " Trackalbum"}, {"1.0\r\nX-Evil: 1", " Trackalbum"}};
    for (const auto& [version, tail] : cases) EXPECT_EQ(ProgramUserAgent(engine, version), engine + tail) << version;
    EXPECT_THAT(ProgramUserAgent("", ""), ::testing::StartsWith("Mozilla/5.0 "));

    EXPECT_EQ(VersionOrUnknown(""), "不明");
    EXPECT_EQ(VersionOrUnknown(nullptr), "不明");
    EXPECT_EQ(VersionOrUnknown("1.4.3"), "1.4.3");
}

TEST(ProgramUserAgentTest, TheWebViewSendsItWithTheBuiltVersion) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "view");
    auto* view = new CTrackalbumView(frame);
    frame->Show();
    const std::string agent = view->GetBrowser()->GetUserAgent().utf8_string();
    EXPECT_THAT(agent, ::testing::HasSubstr("AppleWebKit/"));
    EXPECT_NE(GetVersionString(), "不明");
    EXPECT_THAT(agent, ::testing::EndsWith(" Trackalbum/" + GetVersionString()));
    frame->Destroy();
}

}  // namespace
}  // namespace trackalbum
