// Times the placement of 1,000 photos on a 1,000,000-point track built in memory against
// one plain pass over the track's points.
//   placement_bench [points] [photos]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "photos/Placement.h"

using namespace trackalbum;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int points = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int photos = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (points <= 0 || photos <= 0) return 2;
    const int64_t start = 1778977800;  // a day-long log, one point a second, some seconds skipped
    GpsTrack track;
    for (int i = 0; i < points; ++i) {
        GpsPoint point;
        point.Latitude = 35.0 + i * 1e-6;
        point.Longitude = 139.0 + i * 2e-6;
        point.Time = TimeValue(start + i + i / 500);
        track.AddTail(point);
    }
    const int64_t end = track.GetTail().Time.GetTime();
    std::mt19937_64 random(1000);
    std::uniform_int_distribution<int64_t> taken(start - 600, end + 600);
    PictureList pictures;
    for (int i = 0; i < photos; ++i) {
        PictureRecord record;
        record.TakenTime = TimeValue(taken(random));
        pictures.AddTail(record);
    }

    double checksum = 0.0;
    std::vector<double> passTimes, placeTimes;
    for (int run = 0; run < 11; ++run) {
        Clock::time_point passStart = Clock::now();
        int64_t timeSum = 0;
        double latitudeSum = 0.0;
        for (const GpsPoint& point : track) {
            timeSum += point.Time.GetTime();
            latitudeSum += point.Latitude;
        }
        passTimes.push_back(MillisecondsSince(passStart));
        checksum += static_cast<double>(timeSum % 1000) + latitudeSum;

        PictureList copy = pictures;
        Clock::time_point placeStart = Clock::now();
        PlacePictures(copy, track, 0);
        placeTimes.push_back(MillisecondsSince(placeStart));
        checksum += copy[0].Latitude;
    }
    const double pass = Median(passTimes);
    const double place = Median(placeTimes);

    // The walk the placement falls back on for unordered tracks, for a few photos.
    const int walked = std::min(photos, 20);
    Clock::time_point walkStart = Clock::now();
    for (int i = 0; i < walked; ++i) {
        PictureRecord record = pictures[static_cast<size_t>(i)];
        PlacePicture(record, track, 0);
        checksum += record.Latitude;
    }
    const double walk = MillisecondsSince(walkStart) / walked * photos;

    std::printf("track: %d points, %d photos (checksum %.3f)\n", points, photos, checksum);
    std::printf("one pass over the points:      %9.2f ms  (median of 11)\n", pass);
    std::printf("PlacePictures:                 %9.2f ms  (median of 11)  %.2f times the pass\n", place, place / pass);
    std::printf("walk per photo, %d photos:   %9.2f ms  (from %d photos)\n", photos, walk, walked);
    return 0;
}
