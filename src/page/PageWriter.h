#pragma once
#include <ctime>
#include <string>

#include "gps/GpsTrack.h"
#include "gps/TimeValue.h"
#include "page/PageOptions.h"
#include "photos/PictureList.h"

namespace trackalbum {

// The whole text of one page variant; `now` is the time the generator comment shows.
std::string BuildPage(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures,
                      const std::string& version, TimeValue now = TimeValue(std::time(nullptr)));

// Builds the page into `pageText` and saves it to GetPagePath(kind, GpsFile); for a
// profile kind the two charts are drawn first. Does nothing for an empty track.
// Raises FileError when the page cannot be written.
void WritePage(int kind, const PageOptions& options, const GpsTrack& track,
               const PictureList& pictures, const std::string& version, std::string& pageText);

}  // namespace trackalbum
