// A written page in the desktop program's own view (its browser, its User-Agent), measured as
// the browser bench measures it in chromium: from showing the page to its route painted, then
// four zoom steps (in, in, out, out), each with its longest frame from the page's own
// animation frames and its time to the end of the move. A screenshot of the view is saved
// before the first step and after each (with ImageMagick's import).
//
//   view_zoom_bench PAGE.html OUT_DIR     (run under xvfb-run)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include "BenchApp.h"
#include "shell/CTrackalbumView.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<std::string> Arguments;

// Pumps the toolkit's events until done() holds, or a minute has passed.
bool PumpUntil(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (Clock::now() > end) return false;
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

void PumpFor(int milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

std::string Run(const CTrackalbumView& view, const std::string& script) {
    wxString out;
    if (!view.GetBrowser()->RunScript(wxString::FromUTF8(script), &out)) return "";
    return out.utf8_string();
}

// The view as the display shows it, through ImageMagick's import: a copy through the toolkit's
// screen device context keeps showing the first picture the browser drew.
bool SaveScreenshot(wxWindow& window, const fs::path& file) {
    const wxRect rect = window.GetScreenRect();
    const std::string crop = std::to_string(rect.width) + "x" + std::to_string(rect.height) + "+" +
                             std::to_string(rect.x) + "+" + std::to_string(rect.y);
    const std::string target = file.string();
    const char* argv[] = {"import", "-window", "root", "-crop", crop.c_str(), "+repage", target.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_SYNC) == 0;
}

// The page's animation frames are recorded from here on, into window.__frames.
constexpr const char* StartFrames =
    "window.__frames = [performance.now()]; window.__stopFrames = false;"
    "requestAnimationFrame(function tick(t) { __frames.push(t);"
    " if (!__stopFrames) requestAnimationFrame(tick); }); 'started'";
// Stops recording: the longest gap between frames and how many there were.
constexpr const char* StopFrames =
    "(function () { __stopFrames = true; var f = __frames.concat([performance.now()]), worst = 0;"
    " for (var i = 1; i < f.length; i++) worst = Math.max(worst, f[i] - f[i - 1]);"
    " return worst.toFixed(0) + ' ' + (f.length - 2); })()";

int RunBench() {
    const fs::path page = fs::absolute(Arguments[0]);
    const fs::path out = fs::absolute(Arguments[1]);
    fs::create_directories(out);

    auto* frame = new wxFrame(nullptr, wxID_ANY, "view bench", wxPoint(0, 0), wxSize(1280, 900));
    auto* view = new CTrackalbumView(frame);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->Show();
    PumpUntil([&] { return view->IsShownOnScreen(); });
    PumpFor(500);

    std::string problem;
    const auto start = Clock::now();
    if (!view->Navigate("file://" + page.string(), &problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    const bool shown = PumpUntil([&] {
        return view->GetLoadedCount() > 0 &&
               Run(*view, "String(!!(window.map && map.isLoaded() && "
                          "document.querySelector('#map canvas.trackalbum-route')))") == "true";
    });
    if (!shown) {
        std::fprintf(stderr, "the page's map did not load in a minute\n");
        return 1;
    }
    const double loaded = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    PumpFor(1500);
    if (!SaveScreenshot(*view, out / "view-0.png")) std::fprintf(stderr, "no screenshot: ImageMagick's import is missing\n");
    std::printf("%s\nshown to route painted: %.0f ms\n", page.filename().string().c_str(), loaded);

    const char* steps[] = {"in", "in", "out", "out"};
    int index = 0;
    for (const char* step : steps) {
        Run(*view, StartFrames);
        Run(*view, std::string("window.__moved = 0; var __t0 = performance.now();"
                               "var __h = GEvent.addListener(map, 'moveend', function () {"
                               " GEvent.removeListener(__h); window.__moved = performance.now() - __t0; });"
                               "map.zoom") + (step[0] == 'i' ? "In" : "Out") + "(); 'zooming'");
        PumpUntil([&] { return Run(*view, "String(window.__moved > 0)") == "true"; });
        const std::string moved = Run(*view, "window.__moved.toFixed(0)");
        // The frame that shows the new picture comes after the move's end.
        PumpFor(300);
        const std::string frames = Run(*view, StopFrames);
        std::printf("zoom %-3s to zoom %s: move ended after %s ms; worst frame, frames: %s\n", step,
                    Run(*view, "String(map.getZoom())").c_str(), moved.c_str(), frames.c_str());
        PumpFor(700);
        SaveScreenshot(*view, out / ("view-" + std::to_string(++index) + ".png"));
    }
    std::printf("screenshots: %s/view-0.png (before) .. view-4.png\n", out.string().c_str());
    std::fflush(stdout);
    frame->Destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: view_zoom_bench PAGE.html OUT_DIR\n");
        return 2;
    }
    Arguments.assign(argv + 1, argv + 3);
    return RunBenchApp(argv, RunBench);
}
