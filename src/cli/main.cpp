// trackalbum-cli: one Apply without windows, for scripts and for the sample run.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/PanelSetting.h"
#include "cli/TrackReport.h"
#include "photos/PhotoCopyReport.h"
#include "photos/PhotoCopyRun.h"
#include "pipeline/Apply.h"
#include "pipeline/ControlPanel.h"
#include "pipeline/Document.h"
#include "pipeline/PictureListRows.h"
#include "settings/SettingsStore.h"
#include "settings/WxFileProfile.h"

#ifndef TRACKALBUM_VERSION
#define TRACKALBUM_VERSION "0"
#endif

extern char** environ;

namespace trackalbum {
namespace {

constexpr int ExitCompleted = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// Paths given on the command line are taken from where the command started, even when
// -C moves the outputs elsewhere.
std::string FromStartFolder(const std::string& path, const std::string& startFolder) {
    if (path.empty() || path[0] == '/') return path;
    return startFolder + "/" + path;
}

void FillPanel(ControlPanel& panel, const CliOptions& options) {
    for (const auto& [key, value] : options.Settings) EnterPanelSetting(panel, key, value);
    CameraGpsPage& page = panel.GetCameraGpsPage();
    page.SetPageName(options.PageName);
    page.SetGpsFile(options.GpxPath);
    page.SetPhotoFolder(options.PhotoFolder);
    page.SetTimeZoneHours(options.TimeZoneHours);
    page.SetClockCorrection(options.ClockMinutes.has_value());
    page.SetClockMinutes(options.ClockMinutes.value_or(0));
    page.SetCompression(options.Compression);
    page.SetSpeedLimitOn(options.SpeedLimitText.has_value());
    page.GetSpeedChoices().SetText(options.SpeedLimitText.value_or(""));
    page.SetKeepOriginalSize(options.KeepOriginalSize);
}

void PrintPictureList(const std::vector<PictureListRow>& rows) {
    std::printf("ファイル名\tコメント\t撮影日\t経度\t緯度\n");
    for (const PictureListRow& row : rows) {
        std::printf("%s\t%s\t%s\t%s\t%s\n", row.FileName.c_str(), row.Comment.c_str(),
                    row.TakenTime.c_str(), row.Longitude.c_str(), row.Latitude.c_str());
    }
}

void OpenInBrowser(const std::string& address) {
    std::vector<char*> argv = {const_cast<char*>("xdg-open"), const_cast<char*>(address.c_str()), nullptr};
    pid_t child = 0;
    int error = posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        std::fprintf(stderr, "trackalbum-cli: cannot start xdg-open: %s\n", std::strerror(error));
        return;
    }
    int status = 0;
    waitpid(child, &status, 0);
}

int Run(const CliOptions& parsed) {
    CliOptions options = parsed;
    const std::string startFolder = CurrentFolder();
    if (!options.OutputFolder.empty()) {
        options.GpxPath = FromStartFolder(options.GpxPath, startFolder);
        options.PhotoFolder = FromStartFolder(options.PhotoFolder, startFolder);
        options.ProfilePath = FromStartFolder(options.ProfilePath, startFolder);
        if (chdir(options.OutputFolder.c_str()) != 0) {
            std::fprintf(stderr, "trackalbum-cli: -C %s: %s\n", options.OutputFolder.c_str(),
                         std::strerror(errno));
            return ExitUsage;
        }
    }

    WxFileProfile profile(options.ProfilePath.empty() ? WxFileProfile::GetDefaultPath() : options.ProfilePath);
    if (!profile.GetLastProblem().empty()) {
        std::fprintf(stderr, "trackalbum-cli: settings not read, defaults used: %s\n",
                     profile.GetLastProblem().c_str());
    }
    SettingsStore store(profile);
    ControlPanel panel;
    panel.LoadSettingsToPages(store);
    FillPanel(panel, options);

    Document document(TRACKALBUM_VERSION);
    CliHost host(stdout, stderr);
    ApplyResult result = Apply(panel, store, document, host);
    if (result != ApplyResult::Completed) return ExitFailed;

    if (options.Stats) {
        std::string report = BuildTrackReport(document.GetTrack(), host.GetCompressionResult());
        std::fputs(report.c_str(), stdout);
    }
    if (options.PhotosGiven) PrintPictureList(panel.GetPictureListPage().GetRows());
    if (options.CopyPhotos) {
        // Photos that could not be copied or shrunk are named in the summary; the folder may
        // hold files that are no pictures, so they do not turn a completed Apply into a failure.
        std::fflush(stdout);
        PhotoCopyReport report(stderr, isatty(STDERR_FILENO) != 0, stdout);
        RunPhotoCopy(document, options.PhotoFolder, options.GpxPath, options.KeepOriginalSize, report);
    }
    if (!host.GetAddress().empty()) {
        std::printf("%s\n", host.GetAddress().c_str());
        std::fflush(stdout);
        if (options.Open) OpenInBrowser(host.GetAddress());
    }
    return ExitCompleted;
}

}  // namespace
}  // namespace trackalbum

int main(int argc, char** argv) {
    using namespace trackalbum;
    CliOptions options;
    try {
        options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (options.Help) {
            std::fputs(GetUsageText().c_str(), stdout);
            return ExitCompleted;
        }
        if (options.Version) {
            std::printf("trackalbum-cli %s\n", TRACKALBUM_VERSION);
            return ExitCompleted;
        }
        return Run(options);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "trackalbum-cli: %s\nTry 'trackalbum-cli --help'.\n", error.what());
        return ExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trackalbum-cli: %s\n", error.what());
        return ExitFailed;
    }
}
