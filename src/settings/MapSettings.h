#pragma once
// The persistent look of the pages, one field per profile setting, with the defaults that
// apply when the profile holds nothing.
#include <cstdint>
#include <string>

#include "settings/TileLayers.h"

namespace trackalbum {

// Red in bits 0-7, green in 8-15, blue in 16-23.
using Color = uint32_t;

constexpr Color MakeColor(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr uint32_t GetRed(Color color) { return color & 0xFFu; }
constexpr uint32_t GetGreen(Color color) { return (color >> 8) & 0xFFu; }
constexpr uint32_t GetBlue(Color color) { return (color >> 16) & 0xFFu; }

struct MapSettings {
    std::string APIKey;
    Color PathColor = MakeColor(255, 0, 0);
    int PathWidth = 10;
    int MapType = 0;  // 0 map, 1 aerial photo, 2 map with photo
    int MapTypeBtn = 0;
    int Controller = 0;  // 0 none, 1 large, 2 small
    int DisplayType = 0;  // 0 percent, 1 pixels
    int DisplayWidth = 100;
    int DisplayHeight = 100;
    int AutoZoom = 1;
    int ZoomLevel = 10;
    Color UpColor = MakeColor(255, 0, 0);
    Color DownColor = MakeColor(0, 255, 0);
    Color FlatColor = MakeColor(0, 0, 255);
    int Coloring = 1;
    int IconTrace = 1;
    int ProfWidth = 800;
    int ProfHeight = 600;
    int Scale = 1;
    int Overview = 1;
    int Japanese = 1;
    // Where the pages load the map API script and the marker icons from; "." is the
    // page's own folder, where a compatible runtime is placed beside the pages.
    std::string APIHost = ".";
    std::string IconHost = ".";
    // The map runtime's tile services, written into its file beside the pages.
    std::string NormalTileUrl = TileDefaults::NormalUrl;
    std::string NormalTileAttribution = TileDefaults::NormalAttribution;
    int NormalTileMaxZoom = TileDefaults::NormalMaxZoom;
    std::string AerialTileUrl = TileDefaults::AerialUrl;
    std::string AerialTileAttribution = TileDefaults::AerialAttribution;
    int AerialTileMaxZoom = TileDefaults::AerialMaxZoom;
    std::string OverlayTileUrl = TileDefaults::OverlayUrl;
    std::string OverlayTileAttribution = TileDefaults::OverlayAttribution;
    int OverlayTileMaxZoom = TileDefaults::OverlayMaxZoom;
};

}  // namespace trackalbum
