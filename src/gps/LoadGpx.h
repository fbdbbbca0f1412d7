#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gps/GpsTrack.h"
#include "platform/MessageHost.h"

namespace trackalbum {

// Clears the track, reads the GPX file's track and route points into it, reports a failed
// parse through `messages`, and analyses what was read. Returns 0 for an empty path
// (the track is left untouched), 1 otherwise. No exception escapes.
int LoadGpx(GpsTrack& track, const std::string& path, bool speedLimitOn, double speedLimit,
            MessageHost& messages);

// What reading a GPX document came to: `code` 0 for success, otherwise the failure's code
// (see GpxFailure.cpp), and the text of the box to show (empty on success).
struct GpxReadOutcome {
    uint32_t code = 0;
    std::string message;
};

// Clear the track and read the points of a GPX file or of a document in memory into it,
// keeping the points read before a failure. No analysis; no exception escapes.
GpxReadOutcome ReadGpxFile(GpsTrack& track, const std::string& path);
GpxReadOutcome ReadGpxText(GpsTrack& track, std::string_view document);

}  // namespace trackalbum
