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
    return settings;
}

int32_t ControlPanel::GetZoneSeconds() const { return trackalbum::GetZoneSeconds(GetRunOptions()); }
int32_t ControlPanel::GetClockSeconds() const { return trackalbum::GetClockSeconds(GetRunOptions()); }
int32_t ControlPanel::GetPlacementOffset() const {
    return trackalbum::GetPlacementOffset(GetRunOptions());
}

}  // namespace trackalbum
