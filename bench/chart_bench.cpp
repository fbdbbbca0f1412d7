// Times both charts of a 1,000,000-point track built in memory, and the load of a GPX file
// for comparison: the file named, or else the same track written to a temporary GPX file.
//   chart_bench [points] [gpx-file]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "charts/Charts.h"
#include "gps/GpsTrack.h"
#include "gps/LoadGpx.h"
#include "platform/CFormat.h"

using namespace trackalbum;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A day-long ride logged every second: about 1.5 m a leg, so 1,000,000 points cover some
// 1,500 km (a canvas 1,500 wide at a tenth of its width) and climb between 0 and 1,900 m.
void BuildTrack(GpsTrack& track, int count) {
    const TimeValue start(2006, 5, 3, 8, 0, 0);
    double latitude = 35.0;
    double longitude = 139.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double heading = std::sin(t * 40.0) * 1.5;
        latitude += 0.0000135 * std::cos(heading);
        longitude += 0.0000135 * std::sin(heading) / std::cos(latitude / 57.2958);
        GpsPoint point;
        point.SetLatitude(latitude);
        point.SetLongitude(longitude);
        point.SetElevation(950.0 + 950.0 * std::sin(t * 60.0 + i * 0.001));
        point.SetTime(start + TimeSpan(i + i / 500));  // an occasional skipped second
        track.AddTail(point);
    }
    track.Analyse(false, 0.0);
}

// The track as a GPX file, times as the local calendar fields they were made from.
bool WriteGpx(const GpsTrack& track, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"chart_bench\">\n<trk><trkseg>\n", file);
    for (const GpsPoint& point : track) {
        const std::string line = FormatC("<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>%s</time></trkpt>\n",
                                         point.GetLatitude(), point.GetLongitude(), point.GetElevation(),
                                         point.GetTime().Format("%Y-%m-%dT%H:%M:%SZ").c_str());
        std::fputs(line.c_str(), file);
    }
    std::fputs("</trkseg></trk>\n</gpx>\n", file);
    return std::fclose(file) == 0;
}

class QuietHost : public MessageHost {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? static_cast<int>(ParseLeadingInteger(argv[1])) : 1'000'000;
    std::string gpx = argc > 2 ? argv[2] : "";
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "chart_bench";
    std::filesystem::create_directories(folder);
    const std::string elevation = (folder / "bench_ele.gif").string();
    const std::string speed = (folder / "bench_dis.gif").string();

    GpsTrack track;
    auto start = Clock::now();
    BuildTrack(track, count);
    std::printf("track: %zu points, %.1f km, built and analysed in %.0f ms\n", track.GetCount(),
                track.GetTotalDistance() / 1000, MillisecondsSince(start));

    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        start = Clock::now();
        DrawElevationChart(track, elevation);
        DrawSpeedChart(track, speed);
        runs.push_back(MillisecondsSince(start));
    }
    const double first = runs.front();
    std::sort(runs.begin(), runs.end());
    std::printf("both charts: first %.1f ms, best %.1f ms, median %.1f ms (5 runs)\n", first, runs.front(), runs[2]);
    if (!std::filesystem::exists(elevation) || !std::filesystem::exists(speed)) {
        std::printf("warning: a chart file was not written\n");
    }

    if (gpx.empty()) {
        gpx = (folder / "bench.gpx").string();
        start = Clock::now();
        if (!WriteGpx(track, gpx)) gpx.clear();
        std::printf("wrote the track as GPX in %.0f ms\n", MillisecondsSince(start));
    }
    if (!gpx.empty()) {
        QuietHost host;
        GpsTrack loaded;
        start = Clock::now();
        LoadGpx(loaded, gpx, false, 0.0, host);
        const double load = MillisecondsSince(start);
        std::printf("LoadGpx %s: %zu points in %.0f ms\n", gpx.c_str(), loaded.GetCount(), load);
        start = Clock::now();
        DrawElevationChart(loaded, elevation);
        DrawSpeedChart(loaded, speed);
        const double charts = MillisecondsSince(start);
        std::printf("both charts of the loaded track: %.1f ms = %.3f of its load time\n", charts, charts / load);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
