#include "pipeline/TimeOffsets.h"

#include <algorithm>
#include <limits>

namespace trackalbum {
namespace {

// The clock lead has no bounds; a product beyond 32 bits saturates instead of wrapping
// into an offset of the opposite sign.
int32_t Saturate(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, low, high));
}

}  // namespace

int32_t GetZoneSeconds(const RunOptions& options) {
    return Saturate(static_cast<int64_t>(options.TimeZoneHours) * 3600);
}

int32_t GetClockSeconds(const RunOptions& options) {
    if (!options.ClockCorrection) return 0;
    return Saturate(static_cast<int64_t>(options.ClockMinutes) * 60);
}

int32_t GetPlacementOffset(const RunOptions& options) {
    return Saturate(static_cast<int64_t>(GetZoneSeconds(options)) - GetClockSeconds(options));
}

}  // namespace trackalbum
