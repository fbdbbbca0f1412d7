#pragma once
// An owning list of positions, used for the player's evenly timed positions.
#include <cstddef>
#include <cstdint>
#include <list>

#include "gps/GpsPoint.h"
#include "gps/GpsTrack.h"

namespace trackalbum {

class GpsPointList {
public:
    // Bound on the positions one resampling makes (the player needs about 600).
    static constexpr size_t MaxPositions = 100000;

    using const_iterator = std::list<GpsPoint>::const_iterator;
    const_iterator begin() const { return points_.begin(); }
    const_iterator end() const { return points_.end(); }
    size_t GetCount() const { return points_.size(); }
    bool IsEmpty() const { return points_.empty(); }

    // Empties the list, then fills it with the first point and one position every `step`
    // seconds of track time after it. A `step` of 0 or less leaves the list empty.
    void ResampleByTime(int32_t step, const GpsTrack& source);

private:
    std::list<GpsPoint> points_;
};

}  // namespace trackalbum
