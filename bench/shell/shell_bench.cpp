// The desktop program's own costs, measured in one run on a virtual display:
//  - from the start of the process to the control panel shown;
//  - Apply pressed in the program against the command line's Apply (the core with a host
//    that shows nothing) on the same inputs, each five times, alternating, medians compared;
//    the page loading in the view happens in the browser's own process after Apply returns;
//  - the picture list page filled with 1,000 photos, against a tenth of the program's Apply.
//
//   shell_bench GPX PHOTO_FOLDER LIST_FOLDER OUT_DIR     (run under xvfb-run)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchApp.h"
#include "pipeline/Apply.h"
#include "pipeline/ControlPanel.h"
#include "pipeline/Document.h"
#include "settings/SettingsStore.h"
#include "settings/WxFileProfile.h"
#include "shell/CMainFrame.h"
#include "shell/COperationDlg.h"
#include "shell/CPageCameraGPS.h"
#include "shell/CPagePictureList.h"
#include "shell/CTrackalbumApp.h"
#include "shell/CTrackalbumDoc.h"
#include "shell/CTrackalbumView.h"
#include "shell/ShellMessageBox.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point ProcessStart = Clock::now();
constexpr int Rounds = 5;
std::vector<std::string> Arguments;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PumpUntil(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (!done() && Clock::now() < end) wxTheApp->Yield(true);
}

// Lets the browser's process finish drawing before the next measurement.
void Settle() {
    const auto end = Clock::now() + std::chrono::milliseconds(1500);
    while (Clock::now() < end) wxTheApp->Yield(true);
}

// What the command line's host costs, without its printing.
class QuietHost : public ApplyHost {
public:
    void ShowMessage(const std::string&) override {}
    void ShowStatus(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
    void ShowCompressionResult(const std::string&) override {}
    void RefillPictureList(const std::string&, PictureList&) override {}
    void RefillSpeedChoices(const SpeedChoices&) override {}
    void Navigate(const std::string&) override {}
    void ShowFileError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

void FillInputs(CameraGpsPage& page, const std::string& gpx, const std::string& photos) {
    page.SetPageName("bench");
    page.SetGpsFile(gpx);
    page.SetPhotoFolder(photos);
    page.SetTimeZoneHours(9);
}

int RunBench() {
    const std::string gpx = fs::absolute(Arguments[0]).string();
    const std::string photos = fs::absolute(Arguments[1]).string();
    const std::string listFolder = fs::absolute(Arguments[2]).string();
    const fs::path out = fs::absolute(Arguments[3]);
    fs::create_directories(out / "program");
    fs::create_directories(out / "cli");
    SetMessageBoxAnswer([](const std::string& text, long) {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return wxOK;
    });

    WxFileProfile profile((out / "bench.conf").string());
    SettingsStore store(profile);
    CTrackalbumDoc document;
    ControlPanel panel;
    CMainFrame* frame = CreateMainWindow(document, panel, store, {});
    frame->ShowAll();
    PumpUntil([&] { return frame->GetPanel().IsShownOnScreen(); });
    wxTheApp->Yield(true);
    const double startup = MillisecondsSince(ProcessStart);

    COperationDlg& dialog = frame->GetPanel();
    FillInputs(panel.GetCameraGpsPage(), gpx, photos);
    dialog.TransferDataToWindow();

    std::vector<double> program;
    std::vector<double> cli;
    for (int round = 0; round < Rounds; ++round) {
        {
            fs::current_path(out / "cli");
            ControlPanel cliPanel;
            cliPanel.LoadSettingsToPages(store);
            FillInputs(cliPanel.GetCameraGpsPage(), gpx, photos);
            Document cliDocument("bench");
            QuietHost host;
            const auto start = Clock::now();
            Apply(cliPanel, store, cliDocument, host);
            cli.push_back(MillisecondsSince(start));
        }
        fs::current_path(out / "program");
        const int loaded = frame->GetView().GetLoadedCount();
        const auto start = Clock::now();
        dialog.DoApply();
        program.push_back(MillisecondsSince(start));
        // The browser loads the page in its own process after Apply; it must not run into
        // the next measurement.
        PumpUntil([&] { return frame->GetView().GetLoadedCount() > loaded; });
        Settle();
    }
    const double programApply = Median(program);
    const double cliApply = Median(cli);

    PictureList pictures;
    pictures.Scan(listFolder);
    PictureListPage listModel;
    auto* listPage = static_cast<CPagePictureList*>(dialog.GetPage(COperationDlg::TabPictureList));
    std::vector<double> fills;
    std::vector<double> rows;
    for (int round = 0; round < Rounds; ++round) {
        const auto start = Clock::now();
        listModel.RefillPictureList(listFolder, pictures);
        rows.push_back(MillisecondsSince(start));
        listPage->Refill(listFolder, pictures);
        fills.push_back(MillisecondsSince(start));
        wxTheApp->Yield(true);
    }
    const double fill = Median(fills);

    std::printf("start to panel shown:            %8.1f ms\n", startup);
    std::printf("Apply, command line (median of 5): %8.1f ms\n", cliApply);
    std::printf("Apply, program (median of 5):      %8.1f ms   ratio %.2f (limit 1.20)\n", programApply,
                programApply / cliApply);
    std::printf("picture list, %zu photos:        %8.1f ms   %.3f of the program's Apply (limit 0.100)\n",
                pictures.GetCount(), fill, fill / programApply);
    std::printf("  of which the rows' texts:        %8.1f ms\n", Median(rows));
    std::fflush(stdout);
    frame->Destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: shell_bench GPX PHOTO_FOLDER LIST_FOLDER OUT_DIR\n");
        return 2;
    }
    Arguments.assign(argv + 1, argv + 5);
    return RunBenchApp(argv, RunBench);
}
