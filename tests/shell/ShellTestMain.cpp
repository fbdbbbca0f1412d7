// Runs the GUI tests inside a wx application, with a HOME of its own so that the user's
// settings are never read or written.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>

#include "support/ScratchFolder.h"
#include "support/TimeZone.h"

namespace {

class ShellTestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
    int OnRun() override {
        // The tests pump this loop themselves while they wait for windows and threads.
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        return RUN_ALL_TESTS();
    }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const trackalbum::test::ScratchFolder scratchHome;
    const std::string home = scratchHome.Path();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    const trackalbum::test::ScopedTimeZone tokyo("Asia/Tokyo");
    // A virtual display has no GPU; the browser must draw without compositing.
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 1);
    wxApp::SetInstance(new ShellTestApp);
    return wxEntry(argc, argv);
}
