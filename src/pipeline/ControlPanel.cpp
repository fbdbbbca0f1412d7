#include "pipeline/ControlPanel.h"

#include "pipeline/TimeOffsets.h"

namespace trackalbum {

ControlPanel::ControlPanel() { cameraGps_.SetTimeZoneHours(9); }

void ControlPanel::LoadSettingsToPages(const SettingsStore& store) {
    MapPropertyPage& map = mapProperty_;
    map.SetMapType(store.GetMapType());
    map.SetController(store.GetController());
    map.SetPathColor(store.GetPathColor());
    map.SetPathWidth(store.GetPathWidth());
    map.SetMapTypeBtn(store.GetMapTypeBtn());
    map.SetAutoZoom(store.GetAutoZoom());
    map.SetZoomLevel(store.GetZoomLevel());
    map.SetDisplayType(store.GetDisplayType());
    map.SetDisplayWidth(store.GetDisplayWidth());
    map.SetDisplayHeight(store.GetDisplayHeight());
    map.SetUpColor(store.GetUpColor());
    map.SetDownColor(store.GetDownColor());
    map.SetFlatColor(store.GetFlatColor());
    map.SetColoring(store.GetColoring());
    map.SetIconTrace(store.GetIconTrace());
    map.SetProfWidth(store.GetProfWidth());
    map.SetProfHeight(store.GetProfHeight());
    map.SetScale(store.GetScale());
    map.SetOverview(store.GetOverview());
    map.SetJapanese(store.GetJapanese());
    apiKey_.SetAPIKey(store.GetAPIKey());
    apiKey_.SetAPIHost(store.GetAPIHost());
    apiKey_.SetIconHost(store.GetIconHost());
    apiKey_.SetNormalTileUrl(store.GetNormalTileUrl());
    apiKey_.SetNormalTileAttribution(store.GetNormalTileAttribution());
    apiKey_.SetNormalTileMaxZoom(store.GetNormalTileMaxZoom());
    apiKey_.SetAerialTileUrl(store.GetAerialTileUrl());
    apiKey_.SetAerialTileAttribution(store.GetAerialTileAttribution());
    apiKey_.SetAerialTileMaxZoom(store.GetAerialTileMaxZoom());
    apiKey_.SetOverlayTileUrl(store.GetOverlayTileUrl());
    apiKey_.SetOverlayTileAttribution(store.GetOverlayTileAttribution());
    apiKey_.SetOverlayTileMaxZoom(store.GetOverlayTileMaxZoom());
}

bool ControlPanel::SavePagesToSettings(const SettingsStore& store, ApplyDocument& document) {
    const MapPropertyPage& map = mapProperty_;
    store.SetAPIKey(apiKey_.GetAPIKey());
    store.SetAutoZoom(map.GetAutoZoom());
    store.SetController(map.GetController());
    store.SetDisplayType(map.GetDisplayType());
    store.SetDisplayWidth(map.GetDisplayWidth());
    store.SetDisplayHeight(map.GetDisplayHeight());
    store.SetMapType(map.GetMapType());
    store.SetMapTypeBtn(map.GetMapTypeBtn());
    store.SetPathColor(map.GetPathColor());
    store.SetPathWidth(map.GetPathWidth());
    store.SetZoomLevel(map.GetZoomLevel());
    store.SetUpColor(map.GetUpColor());
    store.SetDownColor(map.GetDownColor());
    store.SetFlatColor(map.GetFlatColor());
    store.SetColoring(map.GetColoring());
    store.SetIconTrace(map.GetIconTrace());
    store.SetProfWidth(map.GetProfWidth());
    store.SetProfHeight(map.GetProfHeight());
    store.SetScale(map.GetScale());
    store.SetOverview(map.GetOverview());
    store.SetJapanese(map.GetJapanese());
    store.SetAPIHost(apiKey_.GetAPIHost());
    store.SetIconHost(apiKey_.GetIconHost());
    store.SetNormalTileUrl(apiKey_.GetNormalTileUrl());
    store.SetNormalTileAttribution(apiKey_.GetNormalTileAttribution());
    store.SetNormalTileMaxZoom(apiKey_.GetNormalTileMaxZoom());
    store.SetAerialTileUrl(apiKey_.GetAerialTileUrl());
    store.SetAerialTileAttribution(apiKey_.GetAerialTileAttribution());
    store.SetAerialTileMaxZoom(apiKey_.GetAerialTileMaxZoom());
    store.SetOverlayTileUrl(apiKey_.GetOverlayTileUrl());
    store.SetOverlayTileAttribution(apiKey_.GetOverlayTileAttribution());
    store.SetOverlayTileMaxZoom(apiKey_.GetOverlayTileMaxZoom());
    bool stored = store.Flush();
    document.WriteComments(cameraGps_.GetGpsFile());
    return stored;
}

MapSettings ControlPanel::GetMapSettings() const {
    const MapPropertyPage& map = mapProperty_;
    MapSettings settings;
    settings.APIKey = apiKey_.GetAPIKey();
    settings.PathColor = map.GetPathColor();
    settings.PathWidth = map.GetPathWidth();
    settings.MapType = map.GetMapType();
    settings.MapTypeBtn = map.GetMapTypeBtn();
    settings.Controller = map.GetController();
    settings.DisplayType = map.GetDisplayType();
    settings.DisplayWidth = map.GetDisplayWidth();
    settings.DisplayHeight = map.GetDisplayHeight();
    settings.AutoZoom = map.GetAutoZoom();
    settings.ZoomLevel = map.GetZoomLevel();
    settings.UpColor = map.GetUpColor();
    settings.DownColor = map.GetDownColor();
    settings.FlatColor = map.GetFlatColor();
    settings.Coloring = map.GetColoring();
    settings.IconTrace = map.GetIconTrace();
    settings.ProfWidth = map.GetProfWidth();
    settings.ProfHeight = map.GetProfHeight();
    settings.Scale = map.GetScale();
    settings.Overview = map.GetOverview();
    settings.Japanese = map.GetJapanese();
    settings.APIHost = apiKey_.GetAPIHost();
    settings.IconHost = apiKey_.GetIconHost();
    settings.NormalTileUrl = apiKey_.GetNormalTileUrl();
    settings.NormalTileAttribution = apiKey_.GetNormalTileAttribution();
    settings.NormalTileMaxZoom = apiKey_.GetNormalTileMaxZoom();
    settings.AerialTileUrl = apiKey_.GetAerialTileUrl();
    settings.AerialTileAttribution = apiKey_.GetAerialTileAttribution();
    settings.AerialTileMaxZoom = apiKey_.GetAerialTileMaxZoom();
    settings.OverlayTileUrl = apiKey_.GetOverlayTileUrl();
    settings.OverlayTileAttribution = apiKey_.GetOverlayTileAttribution();
    settings.OverlayTileMaxZoom = apiKey_.GetOverlayTileMaxZoom();
    return settings;
}

int32_t ControlPanel::GetZoneSeconds() const { return trackalbum::GetZoneSeconds(GetRunOptions()); }
int32_t ControlPanel::GetClockSeconds() const { return trackalbum::GetClockSeconds(GetRunOptions()); }
int32_t ControlPanel::GetPlacementOffset() const {
    return trackalbum::GetPlacementOffset(GetRunOptions());
}

}  // namespace trackalbum
