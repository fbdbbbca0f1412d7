#pragma once
// Placing photos on the track by their taken time.
#include <cstdint>
#include <string>

#include "gps/GpsTrack.h"
#include "photos/PictureList.h"

namespace trackalbum {

// A photo matches a track instant when point time + offset = taken time; between two
// points it is interpolated. Photos outside the track's time span stay unplaced.
void PlacePicture(PictureRecord& record, const GpsTrack& track, int32_t offset);
// Every photo by its time; then each photo still unplaced that records its own position
// within reach of the track (PlaceByOwnPosition).
void PlacePictures(PictureList& pictures, const GpsTrack& track, int32_t offset);

// Photos that know where they were taken: one still unplaced whose own position lies inside
// the track's bounding box, widened by 0.01 degree on each side, is shown there. A photo
// placed by its time keeps its place, and one far from the track (taken at home) stays off
// the pages. An empty track places nothing.
void PlaceByOwnPosition(PictureList& pictures, const GpsTrack& track);

// "GPS記録開始：..." for a track with points and "最初の写真 ：..." for a non-empty list.
std::string GetTimeStatusText(const GpsTrack& track, const PictureList& pictures,
                              int32_t gpsOffset, int32_t photoOffset);

}  // namespace trackalbum
