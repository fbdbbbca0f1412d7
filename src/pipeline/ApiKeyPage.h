#pragma once
// The API key page's values: the key, where the pages load the map API and its icons, and
// the tile services of the map runtime (zooms held within what a tile service can offer).
#include <string>

#include "settings/TileLayers.h"

namespace trackalbum {

class ApiKeyPage {
public:
    const std::string& GetAPIKey() const { return apiKey_; }
    void SetAPIKey(const std::string& value) { apiKey_ = value; }
    const std::string& GetAPIHost() const { return apiHost_; }
    void SetAPIHost(const std::string& value) { apiHost_ = value; }
    const std::string& GetIconHost() const { return iconHost_; }
    void SetIconHost(const std::string& value) { iconHost_ = value; }
    const std::string& GetNormalTileUrl() const { return tiles_.Normal.Url; }
    void SetNormalTileUrl(const std::string& value) { tiles_.Normal.Url = value; }
    const std::string& GetNormalTileAttribution() const { return tiles_.Normal.Attribution; }
    void SetNormalTileAttribution(const std::string& value) { tiles_.Normal.Attribution = value; }
    int GetNormalTileMaxZoom() const { return tiles_.Normal.MaxZoom; }
    void SetNormalTileMaxZoom(int value) { tiles_.Normal.MaxZoom = ClampTileZoom(value); }
    const std::string& GetAerialTileUrl() const { return tiles_.Aerial.Url; }
    void SetAerialTileUrl(const std::string& value) { tiles_.Aerial.Url = value; }
    const std::string& GetAerialTileAttribution() const { return tiles_.Aerial.Attribution; }
    void SetAerialTileAttribution(const std::string& value) { tiles_.Aerial.Attribution = value; }
    int GetAerialTileMaxZoom() const { return tiles_.Aerial.MaxZoom; }
    void SetAerialTileMaxZoom(int value) { tiles_.Aerial.MaxZoom = ClampTileZoom(value); }
    const std::string& GetOverlayTileUrl() const { return tiles_.Overlay.Url; }
    void SetOverlayTileUrl(const std::string& value) { tiles_.Overlay.Url = value; }
    const std::string& GetOverlayTileAttribution() const { return tiles_.Overlay.Attribution; }
    void SetOverlayTileAttribution(const std::string& value) { tiles_.Overlay.Attribution = value; }
    int GetOverlayTileMaxZoom() const { return tiles_.Overlay.MaxZoom; }
    void SetOverlayTileMaxZoom(int value) { tiles_.Overlay.MaxZoom = ClampTileZoom(value); }

private:
    std::string apiKey_;
    std::string apiHost_ = ".";
    std::string iconHost_ = ".";
    TileLayers tiles_;
};

}  // namespace trackalbum
