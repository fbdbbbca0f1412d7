#pragma once
// The tile services of the map runtime's three layers: an address template ({z}, {x}, {y},
// optionally {s} and {key}), the attribution markup shown with it and its highest zoom.
// The defaults and the ready services the API key page offers live here and nowhere else:
// the runtime takes every layer from the line the program writes in front of it.
#include <array>
#include <string>
#include <string_view>
#include <vector>

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

// A service ready to choose: the label the API key page shows and the layer's three fields.
struct TileService {
    std::string_view Label;
    std::string_view Url;
    std::string_view Attribution;
    int MaxZoom;
};

namespace TileServices {
// GSI's terms ask for this credit, linked to their list of tiles.
constexpr std::string_view GsiAttribution = "<a href=\"https://maps.gsi.go.jp/development/ichiran.html\">地理院タイル</a>";
constexpr TileService GsiStandard{"地理院地図 標準", "https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png",
                                  GsiAttribution, 18};
constexpr TileService GsiPale{"地理院地図 淡色", "https://cyberjapandata.gsi.go.jp/xyz/pale/{z}/{x}/{y}.png",
                              GsiAttribution, 18};
constexpr TileService GsiPhoto{"地理院 航空写真", "https://cyberjapandata.gsi.go.jp/xyz/seamlessphoto/{z}/{x}/{y}.jpg",
                               GsiAttribution, 18};
// Its tile servers refuse requests without a Referer: pages opened from disk get no map.
constexpr TileService OpenStreetMap{
    "OpenStreetMap", "https://tile.openstreetmap.org/{z}/{x}/{y}.png",
    "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors", 19};
// No overlay: the hybrid map draws the normal map translucent over the aerial photos.
constexpr TileService NoOverlay{"なし", "", "", 18};

constexpr std::array<TileService, 4> Ready{GsiStandard, GsiPale, GsiPhoto, OpenStreetMap};
}  // namespace TileServices

// Each service's fields come from string literals, so data() ends in a NUL.
namespace TileDefaults {
constexpr const char* NormalUrl = TileServices::GsiStandard.Url.data();
constexpr const char* NormalAttribution = TileServices::GsiStandard.Attribution.data();
constexpr int NormalMaxZoom = TileServices::GsiStandard.MaxZoom;
constexpr const char* AerialUrl = TileServices::GsiPhoto.Url.data();
constexpr const char* AerialAttribution = TileServices::GsiPhoto.Attribution.data();
constexpr int AerialMaxZoom = TileServices::GsiPhoto.MaxZoom;
constexpr const char* OverlayUrl = TileServices::NoOverlay.Url.data();
constexpr const char* OverlayAttribution = TileServices::NoOverlay.Attribution.data();
constexpr int OverlayMaxZoom = TileServices::NoOverlay.MaxZoom;
}  // namespace TileDefaults

inline TileLayer ToTileLayer(const TileService& service) {
    return {std::string(service.Url), std::string(service.Attribution), service.MaxZoom};
}

inline bool IsTileService(const TileLayer& layer, const TileService& service) {
    return layer.Url == service.Url && layer.Attribution == service.Attribution && layer.MaxZoom == service.MaxZoom;
}

// What the API key page offers for a layer: the ready services (and, for the overlay, none),
// then "その他" for whatever is typed into the fields.
constexpr std::string_view OtherTileServiceLabel = "その他";
inline std::vector<TileService> GetTileServiceChoices(bool overlay) {
    std::vector<TileService> choices(TileServices::Ready.begin(), TileServices::Ready.end());
    if (overlay) choices.insert(choices.begin(), TileServices::NoOverlay);
    return choices;
}

// The index in `choices` of the service whose three fields the layer holds, or
// choices.size() ("その他") when none matches.
inline size_t FindTileServiceChoice(const std::vector<TileService>& choices, const TileLayer& layer) {
    for (size_t i = 0; i < choices.size(); ++i) {
        if (IsTileService(layer, choices[i])) return i;
    }
    return choices.size();
}

struct TileLayers {
    TileLayer Normal{TileDefaults::NormalUrl, TileDefaults::NormalAttribution, TileDefaults::NormalMaxZoom};
    TileLayer Aerial{TileDefaults::AerialUrl, TileDefaults::AerialAttribution, TileDefaults::AerialMaxZoom};
    TileLayer Overlay{TileDefaults::OverlayUrl, TileDefaults::OverlayAttribution, TileDefaults::OverlayMaxZoom};
};

}  // namespace trackalbum
