#pragma once
// The statistics panel at the right of the profile pages' map.
#include <string>

#include "gps/GpsTrack.h"
#include "gps/TimeValue.h"
#include "page/PageOptions.h"

namespace trackalbum {

// "%H:%M:%S" of a duration, with the hours running on past 24 (25:02:03), so that a
// long outing does not read as a short one.
std::string FormatDuration(TimeSpan span);

// "%4.1f" of a pace in minutes per km; "  --" when the average speed is 0 (no points in
// the class) or not a number.
std::string FormatPace(double averageSpeed);

// "img\" + base name + "_ele.gif" / "_dis.gif", as the page refers to the charts.
std::string GetElevationChartReference(const std::string& gpxPath);
std::string GetSpeedChartReference(const std::string& gpxPath);

std::string BuildProfilePanel(const PageOptions& options, const GpsTrack& track);

}  // namespace trackalbum
