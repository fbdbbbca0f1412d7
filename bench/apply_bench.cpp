// One whole Apply on a long GPX track, against its parts: load + analyse, and writing the
// pages' bytes with one plain write. Each figure in wall-clock and process CPU seconds.
//   apply_bench GPX [COMPRESSION] [OUTPUT_FOLDER]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
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

// The same number of bytes as the pages, written with one plain write each over files of
// the same folder (no sync: the page save does not sync either).
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

// Reads the file once so that every measured load finds it in the page cache.
void WarmUp(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    std::string buffer(1 << 20, '\0');
    while (read(fd, buffer.data(), buffer.size()) > 0) {
    }
    close(fd);
}

Times Fastest(Times a, Times b) { return {std::min(a.wall, b.wall), std::min(a.cpu, b.cpu)}; }

struct Round {
    Times apply, pages, plain, load, reduce, speeds;
    size_t points = 0;
    size_t pageBytes = 0;
    std::string report;
};

Round MeasureRound(const std::string& gpx, int compression, const std::string& output, double* applyPeak) {
    Round round;
    {
        MemoryProfile profile;
        SettingsStore store(profile);
        ControlPanel panel;
        panel.GetCameraGpsPage().SetGpsFile(gpx);
        panel.GetCameraGpsPage().SetCompression(compression);
        Document document("bench");
        QuietHost host;
        ApplyResult result = ApplyResult::Failed;
        round.apply = Measure([&] { result = Apply(panel, store, document, host); });
        if (result != ApplyResult::Completed) std::exit(1);
        if (applyPeak != nullptr) *applyPeak = PeakRssMegabytes();  // before the comparisons' buffers
        for (char c : host.report) {
            if (c != '\r') round.report += c == '\n' ? ' ' : c;
        }
        // The page step of the same run again, alone.
        const PageOptions options = BuildPageOptions(panel.GetMapSettings(), panel.GetRunOptions());
        round.pages = Measure([&] {
            document.WritePage(2, options);
            document.WritePage(6, options);
        });
        round.pageBytes = fs::file_size(GetPagePath(2, gpx)) + fs::file_size(GetPagePath(6, gpx));
    }
    {
        // Replacing files that exist, as the page step replaces the pages the Apply wrote.
        std::string bytes(round.pageBytes, 'x');
        PlainWrite(output + "/html", bytes, 2);
        round.plain = PlainWrite(output + "/html", bytes, 2);
        for (const char* name : {"plain0.html", "plain1.html"}) fs::remove(output + "/html/" + name);
    }
    GpsTrack track;
    QuietHost host;
    round.load = Measure([&] { LoadGpx(track, gpx, false, 0.0, host); });
    round.points = track.GetCount();
    round.reduce = Measure([&] { track.Reduce(compression / 2000000.0); });
    SpeedChoices choices;
    round.speeds = Measure([&] { choices.Refill(track); });
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: apply_bench GPX [COMPRESSION] [OUTPUT_FOLDER] [ROUNDS]\n");
        return 2;
    }
    const std::string gpx = fs::absolute(argv[1]).string();
    const int compression = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string output = fs::absolute(argc > 3 ? argv[3] : "apply-bench-out").string();
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 2;
    fs::create_directories(output);
    fs::current_path(output);
    const double gpxMegabytes = static_cast<double>(fs::file_size(gpx)) / 1e6;
    WarmUp(gpx);

    // The fastest of a few rounds: the machine is shared, and a slow round says nothing.
    double applyPeak = 0;
    Round best = MeasureRound(gpx, compression, output, &applyPeak);
    for (int i = 1; i < rounds; ++i) {
        Round next = MeasureRound(gpx, compression, output, nullptr);
        best.apply = Fastest(best.apply, next.apply);
        best.pages = Fastest(best.pages, next.pages);
        best.plain = Fastest(best.plain, next.plain);
        best.load = Fastest(best.load, next.load);
        best.reduce = Fastest(best.reduce, next.reduce);
        best.speeds = Fastest(best.speeds, next.speeds);
    }
    const double pageMegabytes = static_cast<double>(best.pageBytes) / 1e6;

    std::printf("Apply on %s (%.1f MB, %zu points), compression %d, fastest of %d rounds\n", gpx.c_str(),
                gpxMegabytes, best.points, compression, rounds);
    std::printf("  reduction: %s; pages %.1f MB (kinds 2 and 6)\n", best.report.c_str(), pageMegabytes);
    Print("whole Apply", best.apply, 0);
    Print("load + analyse", best.load, gpxMegabytes);
    Print("reduce", best.reduce, 0);
    Print("speed choices refill", best.speeds, 0);
    Print("pages: build + write (2 and 6)", best.pages, pageMegabytes);
    Print("plain write of the same bytes", best.plain, pageMegabytes);
    std::printf("  pages / plain write:                 %.2fx wall %.2fx cpu (goal <= 1.5)\n",
                best.pages.wall / best.plain.wall, best.pages.cpu / best.plain.cpu);
    std::printf("  Apply / (load + plain write):        %.2fx wall %.2fx cpu (goal <= 1.3)\n",
                best.apply.wall / (best.load.wall + best.plain.wall),
                best.apply.cpu / (best.load.cpu + best.plain.cpu));
    std::printf("  peak RSS: %.0f MB after the first Apply, %.0f MB at the end\n", applyPeak,
                PeakRssMegabytes());
    return 0;
}
