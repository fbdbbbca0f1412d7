#pragma once
// Photo markers: the two script functions that every page carries, and one marker
// statement per placed photo at the end of load().
#include <string>

#include "page/PageOptions.h"
#include "photos/PictureList.h"

namespace trackalbum {

// createMarkerForBigPicture and createMarker.
std::string BuildMarkerFunctions();

// The taken time as the marker shows it: "[%Y/%m/%d %H:%M]" in local time.
std::string FormatMarkerTime(const PictureRecord& record);

// The marker width of a full-size copy: 160 for a landscape source photo, else 120
// (also when its size cannot be read).
int GetMarkerPictureWidth(const PictureRecord& record);

// Empty for kinds without pictures; otherwise a comment line and one marker per placed
// photo, in list order.
std::string BuildPhotoMarkers(const PageOptions& options, int kind, const PictureList& pictures);

}  // namespace trackalbum
