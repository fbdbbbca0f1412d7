#pragma once
// The page's frame: document type, style sheet, head, the script's global part, load()
// with its controls, and the body.
#include <cstdint>
#include <string>

#include "gps/GpsTrack.h"
#include "gps/TimeValue.h"
#include "page/PageOptions.h"
#include "photos/PictureList.h"

namespace trackalbum {

// Document type and the generator comment with the local time `now` and the version.
std::string BuildDoctype(TimeValue now, const std::string& version);
// The style element; `mapWidth` and `mapHeight` size the map.
std::string BuildStyle(const PageOptions& options, const std::string& mapWidth, const std::string& mapHeight);
// Meta, title and the map API's script element.
std::string BuildHeadMeta(const PageOptions& options);
// "var map = null;", the player's part when `playerOn`, then the two marker functions.
std::string BuildScriptVariables(bool playerOn, int64_t playerStep);
std::string BuildMapControls(const PageOptions& options);
// load(): controls, view, route with trace, photo markers. Appends to `out`.
void AppendLoadFunction(std::string& out, const PageOptions& options, int kind, const GpsTrack& track,
                        const PictureList& pictures);
std::string BuildLoadFunction(const PageOptions& options, int kind, const GpsTrack& track,
                              const PictureList& pictures);
// Legend, player form and statistics panel of a profile page.
std::string BuildPanels(const PageOptions& options, int kind, const GpsTrack& track);
std::string BuildBody(const PageOptions& options, int kind, const GpsTrack& track);

}  // namespace trackalbum
