// Feeds arbitrary documents through the GPX reader and every later step of the track: the
// analysis, the player's resampling and the reduction.
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "gps/GpsPointList.h"
#include "gps/LoadGpx.h"

using namespace trackalbum;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    GpsTrack track;
    const GpxReadOutcome outcome = ReadGpxText(track, document);
    if ((outcome.code == 0) != outcome.message.empty()) std::abort();

    // The last byte picks the speed limit, so that both branches of the analysis run.
    const double limit = size > 0 ? static_cast<double>(data[size - 1] % 64) : 0.0;
    track.Analyse(limit > 0.0, limit);
    for (int k = 0; k < GpsTrack::SpeedClassCount; ++k) (void)track.GetSpeedHistogram(k);
    (void)track.GetAverageSpeed();
    (void)track.GetTotalTimeText();
    if (!track.IsEmpty()) (void)track.GetHead().GetTime().Format("%Y/%m/%d %H:%M:%S");

    const int64_t step = track.GetPlayerStep();
    if (step > 0 && step <= INT32_MAX) {
        GpsPointList player;
        player.ResampleByTime(static_cast<int32_t>(step), track);
    }
    const size_t before = track.GetCount();
    track.Reduce(200.0 / 2000000.0);
    if (track.GetCount() > before || (before >= 2 && track.GetCount() < 2)) std::abort();
    return 0;
}
