#pragma once
// The track's statistics as the profile panel shows them, as plain text lines.
#include <string>

#include "gps/GpsTrack.h"

namespace trackalbum {

std::string BuildTrackReport(const GpsTrack& track, const std::string& compressionResult);

}  // namespace trackalbum
