#pragma once
// The statements inside load() that centre the map on the track and draw the route.
#include <string>

#include "gps/GpsTrack.h"
#include "page/PageOptions.h"

namespace trackalbum {

// "G_SATELLITE_MAP" for 1, "G_HYBRID_MAP" for 2, "G_NORMAL_MAP" for anything else.
std::string GetMapTypeName(int mapType);

// Centre, zoom level and map type. The track must hold at least one point.
std::string BuildMapView(const PageOptions& options, const GpsTrack& track);

// The addOverlay statement for the current points array in the colour of a grade class
// (+1 up, -1 down, anything else flat).
std::string BuildPolyline(const PageOptions& options, int gradeClass);

// The route (grade-coloured on profile pages when colouring is on), then the player's
// trace. Appends to `out`: a long track makes this the bulk of the page.
void AppendRouteOverlay(std::string& out, const PageOptions& options, int kind, const GpsTrack& track);
std::string BuildRouteOverlay(const PageOptions& options, int kind, const GpsTrack& track);

}  // namespace trackalbum
