// Page building and writing for a long track, against one plain write of the same bytes.
//   page_bench [points]   (default 1000000)
#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gps/GpsTrack.h"
#include "page/OutputFiles.h"
#include "page/PageOptions.h"
#include "page/PageWriter.h"
#include "photos/PictureList.h"

namespace {

using namespace trackalbum;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Processor time of the whole process (user and system): steadier than the wall clock on
// a machine that others share.
double CpuNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

GpsTrack MakeLongTrack(size_t count) {
    GpsTrack track;
    double latitude = 35.0, longitude = 139.0;
    const int64_t start = 1146600000;  // a spring day of 2006
    for (size_t i = 0; i < count; ++i) {
        GpsPoint point;
        latitude += 0.00005 * std::sin(static_cast<double>(i) / 500.0);
        longitude += 0.00005 * std::cos(static_cast<double>(i) / 700.0);
        point.SetLatitude(latitude);
        point.SetLongitude(longitude);
        point.SetElevation(100.0 + 50.0 * std::sin(static_cast<double>(i) / 3000.0));
        point.SetTime(TimeValue(start + static_cast<int64_t>(i)));
        track.AddTail(point);
    }
    track.Analyse(false, 0.0);
    return track;
}

PageOptions MakeOptions() {
    PageOptions options;
    options.SetPageName("bench");
    options.SetPathColorHex("FF0000");
    options.SetPathWidth(5);
    options.SetAutoZoom(1);
    options.SetControlFlags(6);
    options.SetDisplayWidthText("100%");
    options.SetDisplayHeightText("100%");
    options.SetGpsFile("bench.gpx");
    options.SetUpColorHex("FF0000");
    options.SetDownColorHex("0000FF");
    options.SetFlatColorHex("00FF00");
    options.SetColoring(1);
    options.SetIconTrace(1);
    options.SetProfWidthText("600px");
    options.SetProfHeightText("400px");
    return options;
}

double PlainWrite(const std::string& path, const std::string& bytes, double& cpu) {
    const double cpuStart = CpuNow();
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(fd);
    cpu = CpuNow() - cpuStart;
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    char folder[] = "/tmp/ta_page_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    std::filesystem::current_path(folder);
    EnsureFolder("html");
    EnsureFolder("html/img");

    auto start = Clock::now();
    const GpsTrack track = MakeLongTrack(count);
    std::printf("track of %zu points made and analysed in %.3f s\n", track.GetCount(), Seconds(start));
    const PageOptions options = MakeOptions();
    const PictureList pictures;

    for (const int kind : {2, 6}) {
        std::string pageText;
        // Best of three, each run in full: build, save, and the same bytes written plainly.
        double best = 1e9, bestBuild = 1e9, bestSave = 1e9, bestPlain = 1e9, bestCpu = 1e9, bestPlainCpu = 1e9;
        for (int run = 0; run < 3; ++run) {
            start = Clock::now();
            const std::string page = BuildPage(kind, options, track, pictures, "bench");
            const double build = Seconds(start);
            start = Clock::now();
            SavePageText(GetPagePath(kind, options.GetGpsFile()), page);
            const double save = Seconds(start);
            start = Clock::now();
            const double cpuStart = CpuNow();
            WritePage(kind, options, track, pictures, "bench", pageText);
            const double whole = Seconds(start);
            bestCpu = std::min(bestCpu, CpuNow() - cpuStart);
            double plainCpu = 0;
            const double plain = PlainWrite("html/plain.html", pageText, plainCpu);
            bestPlainCpu = std::min(bestPlainCpu, plainCpu);
            bestBuild = std::min(bestBuild, build);
            bestSave = std::min(bestSave, save);
            best = std::min(best, whole);
            bestPlain = std::min(bestPlain, plain);
        }
        const double megabytes = static_cast<double>(pageText.size()) / 1e6;
        std::printf("kind %d: %.1f MB page\n", kind, megabytes);
        std::printf("  build only      %7.3f s  %7.1f MB/s\n", bestBuild, megabytes / bestBuild);
        std::printf("  save only       %7.3f s  %7.1f MB/s\n", bestSave, megabytes / bestSave);
        std::printf("  WritePage       %7.3f s  %7.1f MB/s%s\n", best, megabytes / best,
                    kind == 6 ? " (charts included)" : "");
        std::printf("  plain write     %7.3f s  %7.1f MB/s\n", bestPlain, megabytes / bestPlain);
        std::printf("  WritePage / plain write = %.2f (processor time %.3f s / %.3f s = %.2f)\n", best / bestPlain,
                    bestCpu, bestPlainCpu, bestCpu / bestPlainCpu);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak RSS %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder);
    return 0;
}
