#pragma once
// The tile services of the map runtime's three layers: an address template ({z}, {x}, {y},
// optionally {s} and {key}), the attribution markup shown with it and its highest zoom.
#include <string>

namespace trackalbum {

struct TileLayer {
    std::string Url;
    std::string Attribution;
    int MaxZoom = 18;
};

// The zoom levels a tile service can offer; stored values outside are pulled back in.
constexpr int MinTileZoom = 0;
constexpr int MaxTileZoom = 22;
constexpr int ClampTileZoom(int zoom) {
    return zoom < MinTileZoom ? MinTileZoom : zoom > MaxTileZoom ? MaxTileZoom : zoom;
}

namespace TileDefaults {
constexpr const char* NormalUrl = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
constexpr const char* NormalAttribution =
    "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors";
constexpr int NormalMaxZoom = 19;
constexpr const char* AerialUrl = "https://cyberjapandata.gsi.go.jp/xyz/seamlessphoto/{z}/{x}/{y}.jpg";
constexpr const char* AerialAttribution =
    "<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>";
constexpr int AerialMaxZoom = 18;
// No overlay: the hybrid map draws the normal map translucent over the aerial photos.
constexpr const char* OverlayUrl = "";
constexpr const char* OverlayAttribution = "";
constexpr int OverlayMaxZoom = 18;
}  // namespace TileDefaults

struct TileLayers {
    TileLayer Normal{TileDefaults::NormalUrl, TileDefaults::NormalAttribution, TileDefaults::NormalMaxZoom};
    TileLayer Aerial{TileDefaults::AerialUrl, TileDefaults::AerialAttribution, TileDefaults::AerialMaxZoom};
    TileLayer Overlay{TileDefaults::OverlayUrl, TileDefaults::OverlayAttribution, TileDefaults::OverlayMaxZoom};
};

}  // namespace trackalbum
