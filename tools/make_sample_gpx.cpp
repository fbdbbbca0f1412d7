// Writes the bundled sample outing (examples/walk.gpx): a two-hour hike in the hills west of
// Tokyo, logged every 1 to 5 seconds, with a climb to a summit, a rest of several minutes,
// a logger pause between two segments and a descent. The output is fully deterministic.
//
//   make_sample_gpx [OUTPUT]   (default: examples/walk.gpx)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/CFormat.h"

namespace {

using trackalbum::FormatC;

// A small fixed-seed generator so the file is the same on every machine.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    // Uniform in [-1, 1].
    double Symmetric() { return static_cast<double>(Next() % 20001u) / 10000.0 - 1.0; }

private:
    uint32_t state_;
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerDegreeLat = 111320.0;

std::string UtcText(int64_t seconds) {
    const time_t t = static_cast<time_t>(seconds);
    tm fields{};
    gmtime_r(&t, &fields);
    return FormatC("%04d-%02d-%02dT%02d:%02d:%02dZ", fields.tm_year + 1900, fields.tm_mon + 1,
                   fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec);
}

// Elevation in metres over the distance walked: a long climb to a summit near the middle,
// smaller hills on the way up and down.
double ElevationAt(double metres) {
    const double summitShape = std::sin(kPi * std::fmin(metres / 5400.0, 1.0));
    return 190.0 + 330.0 * summitShape + 18.0 * std::sin(metres / 260.0) +
           9.0 * std::sin(metres / 97.0 + 1.3);
}

struct Walker {
    double lat = 35.6255;
    double lon = 139.2430;
    double heading = 0.9;  // radians, clockwise from north
    double walked = 0.0;   // metres
};

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/walk.gpx";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        return 1;
    }

    const int64_t start = 1778977800;  // 2026-05-17T00:30:00Z
    const int64_t restBegins = start + 52 * 60;
    const int64_t restEnds = restBegins + 7 * 60;
    const int64_t pauseBegins = start + 63 * 60;  // the logger is switched off for a while
    const int64_t pauseEnds = pauseBegins + 4 * 60 + 20;
    const int64_t finish = start + 2 * 3600;

    Lcg random(20260517u);
    Walker w;

    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n", out);
    std::fputs("<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
               "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
               "creator=\"TrailLog 4.2.1 (Android)\" version=\"1.1\" "
               "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
               "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n", out);
    std::fputs(FormatC("  <metadata>\n    <name>里山さんぽ</name>\n"
                       "    <desc>尾根道を登って山頂で休憩、沢沿いに下山</desc>\n"
                       "    <time>%s</time>\n  </metadata>\n",
                       UtcText(start).c_str()).c_str(), out);
    std::fputs("  <trk>\n    <name>里山さんぽ 2026-05-17</name>\n    <type>hiking</type>\n"
               "    <trkseg>\n", out);

    int count = 0;
    int64_t t = start;
    while (t <= finish) {
        if (t >= pauseBegins && t < pauseEnds) {
            std::fputs("    </trkseg>\n    <trkseg>\n", out);
            t = pauseEnds;
            continue;
        }
        const bool resting = t >= restBegins && t < restEnds;
        double lat = w.lat;
        double lon = w.lon;
        double ele = ElevationAt(w.walked);
        if (resting) {
            // A logger lying on a bench still wanders by a metre or so.
            lat += random.Symmetric() * 0.000008;
            lon += random.Symmetric() * 0.000010;
            ele += random.Symmetric() * 0.6;
        }
        std::fputs(FormatC("      <trkpt lat=\"%.7f\" lon=\"%.7f\">\n        <ele>%.1f</ele>\n"
                           "        <time>%s</time>\n        <extensions><gpxtpx:TrackPointExtension>"
                           "<gpxtpx:hr>%d</gpxtpx:hr></gpxtpx:TrackPointExtension></extensions>\n"
                           "      </trkpt>\n",
                           lat, lon, ele, UtcText(t).c_str(),
                           resting ? 82 + static_cast<int>(random.Next() % 6u)
                                   : 104 + static_cast<int>(random.Next() % 30u)).c_str(), out);
        ++count;

        const int64_t step = 1 + static_cast<int64_t>(random.Next() % 5u);
        if (!(resting && t + step < restEnds)) {
            // Walking pace slows on steep ground; the path bends gently.
            const double grade = (ElevationAt(w.walked + 10.0) - ElevationAt(w.walked)) / 10.0;
            const double speed = 1.25 / (1.0 + 4.0 * std::fabs(grade)) + 0.1 * random.Symmetric();
            const double metres = speed * static_cast<double>(step);
            w.heading += 0.045 * random.Symmetric() + 0.012 * std::sin(static_cast<double>(t - start) / 700.0);
            w.lat += metres * std::cos(w.heading) / kMetresPerDegreeLat;
            w.lon += metres * std::sin(w.heading) / (kMetresPerDegreeLat * std::cos(w.lat * kPi / 180.0));
            w.walked += metres;
        }
        t += step;
    }

    std::fputs("    </trkseg>\n  </trk>\n</gpx>\n", out);
    const bool ok = std::fclose(out) == 0;
    std::fprintf(stderr, "%s: %d points, %.0f m\n", path.c_str(), count, w.walked);
    return ok ? 0 : 1;
}
