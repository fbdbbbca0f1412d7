#pragma once
// The two chart images of the profile pages (180 x 135 GIF). Failures are silent: a chart
// that cannot be drawn or saved leaves no file, or the one an earlier run left.
#include <string>

#include "gps/GpsTrack.h"

namespace trackalbum {

// Elevation profile; nothing is written for a track without points.
void DrawElevationChart(const GpsTrack& track, const std::string& path);
// Speed distribution; nothing is written for a track without time.
void DrawSpeedChart(const GpsTrack& track, const std::string& path);

}  // namespace trackalbum
