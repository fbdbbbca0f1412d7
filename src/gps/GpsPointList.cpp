#include "gps/GpsPointList.h"

namespace trackalbum {

void GpsPointList::ResampleByTime(int32_t step, const GpsTrack& source) {
    points_.clear();
    if (step <= 0) return;
    int64_t rem = step;  // seconds still to go to the next position
    const GpsPoint* prev = nullptr;
    for (const GpsPoint& p : source) {
        if (prev == nullptr) {
            points_.emplace_back().CopyFrom(p);
            prev = &p;
            continue;
        }
        const int64_t dt = (p.Time - prev->Time).GetTotalSeconds();
        if (dt < rem) {
            rem -= dt;
        } else if (dt == rem) {
            points_.emplace_back().CopyFrom(p);
            rem = step;
        } else {
            const int64_t whole = (dt - rem) / step;
            for (int64_t k = 0; k < whole + 1; ++k) {
                // Times that jump back and forth can make one leg span far more steps than
                // the whole track; the positions stop at a bound that no real track reaches.
                if (points_.size() >= MaxPositions) return;
                const double w = static_cast<double>(rem + k * step);
                const double span = static_cast<double>(dt);
                GpsPoint& q = points_.emplace_back();
                q.Latitude = (p.Latitude * w + prev->Latitude * (span - w)) / span;
                q.Longitude = (p.Longitude * w + prev->Longitude * (span - w)) / span;
            }
            rem = step - (dt - rem) % step;
        }
        prev = &p;
    }
}

}  // namespace trackalbum
