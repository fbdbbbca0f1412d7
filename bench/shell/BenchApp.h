#pragma once
// The toolkit's start for a bench program that drives windows: `bench` runs as the program's
// whole run inside an event loop, and whatever the toolkit logs goes to stderr rather than
// into a box at the end.
#include <functional>
#include <utility>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/log.h>

namespace trackalbum {

class BenchApp : public wxApp {
public:
    explicit BenchApp(std::function<int()> bench) : bench_(std::move(bench)) {}
    bool OnInit() override {
        delete wxLog::SetActiveTarget(new wxLogStderr);
        return true;
    }
    int OnRun() override {
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        return bench_();
    }

private:
    std::function<int()> bench_;
};

// Runs bench as the program; the toolkit sees only the program's name.
inline int RunBenchApp(char** argv, std::function<int()> bench) {
    wxApp::SetInstance(new BenchApp(std::move(bench)));
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, argv);
}

}  // namespace trackalbum
