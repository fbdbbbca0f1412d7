// Times for the points a file leaves without one (a point added by hand, a merged route): left
// at 0 they would make the track span decades and turn its legs' times negative.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "gps/GpsTrack.h"

namespace trackalbum {
namespace {

using Iterator = GpsTrack::Points::iterator;

bool IsTimed(const GpsPoint& point) { return point.TimeGiven; }

// The leg's length exactly as the analysis will measure it.
double LegDistance(const GpsPoint& from, const GpsPoint& to) {
    GpsPoint leg = to;
    leg.ComputeFromPrevious(&from);
    return leg.Distance;
}

// Spreads the time from `previous` to `next` over the points between them in proportion to the
// distance covered, truncating to whole seconds.
void FillBetween(Iterator previous, Iterator next) {
    double total = 0.0;
    for (Iterator it = std::next(previous); it != std::next(next); ++it) total += LegDistance(*std::prev(it), *it);
    const double span = static_cast<double>((next->Time - previous->Time).GetTotalSeconds());
    double covered = 0.0;
    for (Iterator it = std::next(previous); it != next; ++it) {
        covered += LegDistance(*std::prev(it), *it);
        double offset = total > 0.0 ? span * covered / total : 0.0;
        // Absurd elevations can make the lengths infinite; keep the time within the gap.
        if (std::isnan(offset)) offset = 0.0;
        offset = std::clamp(offset, std::min(0.0, span), std::max(0.0, span));
        it->Time = previous->Time + TimeSpan(static_cast<int64_t>(offset));
    }
}

}  // namespace

void GpsTrack::FillMissingTimes() {
    const Iterator first = std::find_if(points_.begin(), points_.end(), IsTimed);
    if (first == points_.end()) return;
    for (Iterator it = points_.begin(); it != first; ++it) it->Time = first->Time;
    Iterator previous = first;
    for (;;) {
        const Iterator next = std::find_if(std::next(previous), points_.end(), IsTimed);
        if (next == points_.end()) break;
        if (std::next(previous) != next) FillBetween(previous, next);
        previous = next;
    }
    for (Iterator it = std::next(previous); it != points_.end(); ++it) it->Time = previous->Time;
}

}  // namespace trackalbum
