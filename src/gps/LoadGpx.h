#pragma once
#include <string>

#include "gps/GpsTrack.h"
#include "platform/MessageHost.h"

namespace trackalbum {

// Clears the track, reads the GPX file's track and route points into it, reports a failed
// parse through `messages`, and analyses what was read. Returns 0 for an empty path
// (the track is left untouched), 1 otherwise.
int LoadGpx(GpsTrack& track, const std::string& path, bool speedLimitOn, double speedLimit,
            MessageHost& messages);

}  // namespace trackalbum
