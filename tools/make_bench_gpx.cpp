// Writes a large GPX file for the reader benchmark: one point a second along a wandering
// line, each with elevation, time and a Garmin-style extension block, as fitness watches
// write them.
//
//   make_bench_gpx OUTPUT [POINTS]   (default 1000000 points)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/CFormat.h"

using trackalbum::FormatC;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_bench_gpx OUTPUT [POINTS]\n");
        return 2;
    }
    const long long count = argc > 2 ? std::atoll(argv[2]) : 1000000;
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<gpx creator=\"Forerunner 945\" version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
               "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\" "
               "xmlns:gpxx=\"http://www.garmin.com/xmlschemas/GpxExtensions/v3\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
               " <metadata>\n  <time>2026-05-17T00:00:00Z</time>\n </metadata>\n"
               " <trk>\n  <name>Long ride</name>\n  <type>cycling</type>\n  <trkseg>\n", out);
    double lat = 35.6;
    double lon = 139.2;
    double heading = 0.3;
    uint32_t state = 12345u;
    const time_t start = 1778976000;  // 2026-05-17T00:00:00Z
    for (long long i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        heading += (static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 0.2;
        const double metres = 4.0 + 3.0 * std::sin(static_cast<double>(i) / 900.0);
        lat += metres * std::cos(heading) / 111320.0;
        lon += metres * std::sin(heading) / 90000.0;
        const double ele = 300.0 + 200.0 * std::sin(static_cast<double>(i) / 3000.0) +
                           15.0 * std::sin(static_cast<double>(i) / 170.0);
        const time_t t = start + static_cast<time_t>(i);
        tm f{};
        gmtime_r(&t, &f);
        std::fputs(FormatC("   <trkpt lat=\"%.7f\" lon=\"%.7f\">\n    <ele>%.1f</ele>\n"
                           "    <time>%04d-%02d-%02dT%02d:%02d:%02dZ</time>\n"
                           "    <extensions>\n     <gpxtpx:TrackPointExtension>\n"
                           "      <gpxtpx:atemp>%d</gpxtpx:atemp>\n      <gpxtpx:hr>%d</gpxtpx:hr>\n"
                           "      <gpxtpx:cad>%d</gpxtpx:cad>\n     </gpxtpx:TrackPointExtension>\n"
                           "    </extensions>\n   </trkpt>\n",
                           lat, lon, ele, f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour,
                           f.tm_min, f.tm_sec, 18 + static_cast<int>(i / 36000 % 8),
                           120 + static_cast<int>(state % 40u), 80 + static_cast<int>((state >> 4) % 15u))
                       .c_str(),
                   out);
    }
    std::fputs("  </trkseg>\n </trk>\n</gpx>\n", out);
    return std::fclose(out) == 0 ? 0 : 1;
}
