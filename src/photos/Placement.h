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
void PlacePictures(PictureList& pictures, const GpsTrack& track, int32_t offset);

// "GPS記録開始：..." for a track with points and "最初の写真 ：..." for a non-empty list.
std::string GetTimeStatusText(const GpsTrack& track, const PictureList& pictures,
                              int32_t gpsOffset, int32_t photoOffset);

}  // namespace trackalbum
