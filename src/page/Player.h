#pragma once
// The player of the profile pages: its script part, its trace data inside load(), its
// control form; and the legend that stands beside it.
#include <cstdint>
#include <string>

#include "gps/GpsTrack.h"
#include "page/PageOptions.h"

namespace trackalbum {

// Seconds between two player positions (the track's player step), kept within the
// range the resampling takes.
int32_t GetTraceStep(const GpsTrack& track);

// The player's global variables and functions; the track's player step goes into
// elapseTime() as it is, also when it is 0 or less.
std::string BuildPlayerScript(int64_t step);

// True when the page's trace holds positions, that is when BuildTrace writes the icon.
bool HasTracePositions(const PageOptions& options, int kind, const GpsTrack& track);

// The trace data and icon at the end of the route; empty unless the page has the route,
// the profile layout and the icon trace.
std::string BuildTrace(const PageOptions& options, int kind, const GpsTrack& track);

std::string BuildLegend(const PageOptions& options);

// The player form. Without positions to move through, the five buttons are disabled so
// that no press can reach the missing icon.
std::string BuildPlayerForm(bool hasPositions);

}  // namespace trackalbum
