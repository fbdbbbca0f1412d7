// One whole Apply on a long GPX track, against its parts: load + analyse, and writing the
// pages' bytes with one plain write. Each figure in wall-clock and process CPU seconds.
//   apply_bench GPX [COMPRESSION] [OUTPUT_FOLDER]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gps/GpsTrack.h"
#include "gps/LoadGpx.h"
#include "page/OutputFiles.h"
#include "pipeline/Apply.h"
#include "pipeline/BuildPageOptions.h"
#include "pipeline/Document.h"
#include "settings/MemoryProfile.h"

namespace {

using namespace trackalbum;
namespace fs = std::filesystem;

struct Times {
    double wall = 0;
    double cpu = 0;
};

double WallNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
Times Measure(Work&& work) {
    double wall = WallNow();
    double cpu = CpuNow();
    work();
    return {WallNow() - wall, CpuNow() - cpu};
}

class QuietHost : public ApplyHost {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void ShowStatus(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
    void ShowCompressionResult(const std::string& text) override { report = text; }
    void RefillPictureList(const std::string&, PictureList&) override {}
    void RefillSpeedChoices(const SpeedChoices&) override {}
    void Navigate(const std::string& address) override { this->address = address; }
    void ShowFileError(const std::string& description) override {
        std::fprintf(stderr, "file error: %s\n", description.c_str());
    }
    std::string report;
    std::string address;
};

// The same number of bytes as the pages, written with one plain write each, into the same
// folder (no sync: the page save does not sync either).
Times PlainWrite(const std::string& folder, const std::string& bytes, int files) {
    return Measure([&] {
        size_t each = bytes.size() / files;
        for (int i = 0; i < files; ++i) {
            std::string path = folder + "/plain" + std::to_string(i) + ".html";
            int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || write(fd, bytes.data() + i * each, each) != static_cast<ssize_t>(each)) {
                std::perror(path.c_str());
                std::exit(1);
            }
            close(fd);
        }
    });
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Print(const char* what, Times t, double megabytes) {
    std::printf("  %-34s %8.3f s wall %8.3f s cpu", what, t.wall, t.cpu);
    if (megabytes > 0) std::printf("  %8.1f MB/s", megabytes / t.wall);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: apply_bench GPX [COMPRESSION] [OUTPUT_FOLDER]\n");
        return 2;
    }
    const std::string gpx = fs::absolute(argv[1]).string();
    const int compression = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string output = fs::absolute(argc > 3 ? argv[3] : "apply-bench-out").string();
    fs::create_directories(output);
    fs::current_path(output);
    const double gpxMegabytes = static_cast<double>(fs::file_size(gpx)) / 1e6;

    MemoryProfile profile;
    SettingsStore store(profile);
    ControlPanel panel;
    panel.GetCameraGpsPage().SetGpsFile(gpx);
    panel.GetCameraGpsPage().SetCompression(compression);
    Document document("bench");
    QuietHost host;

    ApplyResult result = ApplyResult::Failed;
    Times apply = Measure([&] { result = Apply(panel, store, document, host); });
    if (result != ApplyResult::Completed) return 1;
    const double applyPeak = PeakRssMegabytes();  // before the comparisons add their own buffers

    // The parts of the same run, measured again one by one.
    const PageOptions options = BuildPageOptions(panel.GetMapSettings(), panel.GetRunOptions());
    Times pages = Measure([&] {
        document.WritePage(2, options);
        document.WritePage(6, options);
    });
    const std::string route = GetPagePath(2, gpx);
    const std::string profilePage = GetPagePath(6, gpx);
    const size_t pageBytes = fs::file_size(route) + fs::file_size(profilePage);
    const double pageMegabytes = static_cast<double>(pageBytes) / 1e6;
    std::string bytes(pageBytes, 'x');
    Times plain = PlainWrite(output + "/html", bytes, 2);

    GpsTrack track;
    QuietHost loadHost;
    Times load = Measure([&] { LoadGpx(track, gpx, false, 0.0, loadHost); });
    const size_t points = track.GetCount();
    Times reduce = Measure([&] { track.Reduce(panel.GetCameraGpsPage().GetReductionTolerance()); });
    SpeedChoices choices;
    Times speeds = Measure([&] { choices.Refill(track); });
    std::string report;
    for (char c : host.report) {
        if (c != '\r') report += c == '\n' ? ' ' : c;
    }

    std::printf("Apply on %s (%.1f MB, %zu points), compression %d\n", gpx.c_str(), gpxMegabytes,
                points, compression);
    std::printf("  reduction: %s; pages %.1f MB (kinds 2 and 6)\n", report.c_str(), pageMegabytes);
    Print("whole Apply", apply, 0);
    Print("load + analyse", load, gpxMegabytes);
    Print("reduce", reduce, 0);
    Print("speed choices refill", speeds, 0);
    Print("pages: build + write (2 and 6)", pages, pageMegabytes);
    Print("plain write of the same bytes", plain, pageMegabytes);
    std::printf("  pages / plain write:                 %.2fx wall %.2fx cpu (goal <= 1.5)\n",
                pages.wall / plain.wall, pages.cpu / plain.cpu);
    std::printf("  Apply / (load + plain write):        %.2fx wall %.2fx cpu (goal <= 1.3)\n",
                apply.wall / (load.wall + plain.wall), apply.cpu / (load.cpu + plain.cpu));
    std::printf("  peak RSS: %.0f MB after Apply, %.0f MB with the comparisons\n", applyPeak,
                PeakRssMegabytes());
    for (const char* name : {"plain0.html", "plain1.html"}) fs::remove(output + "/html/" + name);
    return 0;
}
