#pragma once
// The run's time offsets in whole seconds. Placement shifts every track time by
// zone seconds - clock seconds before comparing it with a photo's camera time.
#include <cstdint>

#include "settings/RunOptions.h"

namespace trackalbum {

int32_t GetZoneSeconds(const RunOptions& options);
// ClockMinutes x 60 when the clock correction is on, else 0.
int32_t GetClockSeconds(const RunOptions& options);
int32_t GetPlacementOffset(const RunOptions& options);

}  // namespace trackalbum
