// The view names the program to the sites its pages load from.
#include "shell/CTrackalbumView.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/webview.h>

#include "ShellTestSupport.h"
#include "shell/GetVersionString.h"

namespace trackalbum {
namespace {

TEST(ProgramUserAgentTest, TheEngineStringThenTheProgramAndItsVersion) {
    const char* engine = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15 (KHTML, like Gecko)";
    EXPECT_EQ(ProgramUserAgent(engine, "0.1.0"), std::string(engine) + " Trackalbum/0.1.0");
    EXPECT_EQ(ProgramUserAgent(engine, "1.2.3-rc1+git"), std::string(engine) + " Trackalbum/1.2.3-rc1+git");
    // No version built in ("不明"), or one that cannot go into a header: the name alone.
    EXPECT_EQ(ProgramUserAgent(engine, "不明"), std::string(engine) + " Trackalbum");
    EXPECT_EQ(ProgramUserAgent(engine, "1.0\r\nX-Evil: 1"), std::string(engine) + " Trackalbum");
    EXPECT_EQ(ProgramUserAgent("", "").rfind("Mozilla/5.0 ", 0), 0u);
}

TEST(ProgramUserAgentTest, TheWebViewSendsIt) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "view");
    auto* view = new CTrackalbumView(frame);
    frame->Show();
    Pump(50);
    const std::string agent = view->GetBrowser()->GetUserAgent().utf8_string();
    EXPECT_NE(agent.find("AppleWebKit/"), std::string::npos) << agent;
    EXPECT_EQ(agent.substr(agent.rfind(' ') + 1), ProgramUserAgent("", GetVersionString()).substr(
                                                      ProgramUserAgent("", GetVersionString()).rfind(' ') + 1));
    frame->Destroy();
}

}  // namespace
}  // namespace trackalbum
