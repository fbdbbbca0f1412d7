// GPX reader benchmark: a bare expat pass that only counts elements, then LoadGpx (read and
// analyse), Reduce at the strongest compression and the player's resampling, on one file.
//
//   gpx_bench FILE.gpx
#include <expat.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// CPU time of the process: on a machine shared with other jobs it varies far less than the
// wall clock, so the throughput comparison uses it.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long CurrentRssKb() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void XMLCALL CountStart(void* data, const XML_Char*, const XML_Char**) { ++*static_cast<long long*>(data); }

// The same namespace-aware parser, chunk size and file reading as the program's, minus the handler.
long long BareExpatPass(const char* path) {
    long long elements = 0;
    XML_Parser parser = XML_ParserCreateNS(nullptr, '\x01');
    XML_SetUserData(parser, &elements);
    XML_SetStartElementHandler(parser, CountStart);
    const int fd = open(path, O_RDONLY);
    for (;;) {
        void* buffer = XML_GetBuffer(parser, 256 * 1024);
        const ssize_t got = read(fd, buffer, 256 * 1024);
        if (got < 0 || XML_ParseBuffer(parser, static_cast<int>(got), got == 0) != XML_STATUS_OK) {
            elements = -1;
            break;
        }
        if (got == 0) break;
    }
    close(fd);
    XML_ParserFree(parser);
    return elements;
}

class SilentHost : public trackalbum::MessageHost {
public:
    void ShowMessage(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gpx_bench FILE.gpx\n");
        return 2;
    }
    const char* path = argv[1];
    struct stat info {};
    if (stat(path, &info) != 0) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    const double mb = static_cast<double>(info.st_size) / 1e6;
    std::printf("file: %s (%.1f MB)\n", path, mb);

    // The two parse passes take turns, best of three each, so that both see a warm page cache
    // and the same share of a busy machine.
    const long rssBefore = CurrentRssKb();
    trackalbum::GpsTrack track;
    SilentHost host;
    double bare = 1e30;
    double load = 1e30;
    double bareWall = 1e30;
    double loadWall = 1e30;
    long long elements = 0;
    for (int run = 0; run < 3; ++run) {
        auto wall = Clock::now();
        double cpu = CpuSeconds();
        elements = BareExpatPass(path);
        bare = std::min(bare, CpuSeconds() - cpu);
        bareWall = std::min(bareWall, Seconds(wall));
        wall = Clock::now();
        cpu = CpuSeconds();
        trackalbum::LoadGpx(track, path, false, 0.0, host);
        load = std::min(load, CpuSeconds() - cpu);
        loadWall = std::min(loadWall, Seconds(wall));
    }
    std::printf("(CPU seconds, best of 3; wall clock: bare %.3f s, LoadGpx %.3f s)\n", bareWall, loadWall);
    std::printf("bare expat:    %8.3f s  %7.1f MB/s  (%lld elements)\n", bare, mb / bare, elements);
    const double points = static_cast<double>(track.GetCount());
    const long peak = PeakRssKb();
    std::printf("LoadGpx:       %8.3f s  %7.1f MB/s  %10.0f points/s  (%.0f points; %.1f %% of bare expat)\n",
                load, mb / load, points / load, points, 100.0 * bare / load);
    std::printf("memory:        peak RSS %.1f MB, held after load %.1f MB, %.1f bytes/point (peak RSS %.1f)\n",
                peak / 1024.0, (CurrentRssKb() - rssBefore) / 1024.0,
                (CurrentRssKb() - rssBefore) * 1024.0 / points, peak * 1024.0 / points);
    std::printf("statistics:    %s total, %.1f km, climb %.1f m\n", track.GetTotalTimeText().c_str(),
                track.GetTotalDistance() / 1000, track.GetClimb());

    double start = CpuSeconds();
    track.Analyse(false, 0.0);
    const double analyse = CpuSeconds() - start;
    std::printf("of which Analyse: %5.3f s  %10.0f points/s\n", analyse, points / analyse);

    const int64_t step = track.GetPlayerStep();
    start = CpuSeconds();
    const std::string report = track.Reduce(200.0 / 2000000.0);
    const double reduce = CpuSeconds() - start;
    std::printf("Reduce(200):   %8.3f s  %10.0f points/s  (%s)\n", reduce, points / reduce,
                report.substr(0, report.find('\r')).c_str());

    trackalbum::GpsPointList player;
    start = CpuSeconds();
    player.ResampleByTime(static_cast<int32_t>(step), track);
    const double resample = CpuSeconds() - start;
    std::printf("ResampleByTime:%8.3f s  %10.0f points/s  (step %lld s, %zu positions)\n", resample,
                static_cast<double>(track.GetCount()) / resample, static_cast<long long>(step),
                player.GetCount());
    return 0;
}
