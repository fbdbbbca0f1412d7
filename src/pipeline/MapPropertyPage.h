#pragma once
// The map settings page's values without any window, with the setters' clamps, the map-type
// fallback and the enabling rules. Setters clamp as loading from the profile and the spins
// do; the Store... forms keep a number as typed into its field.
#include "settings/MapSettings.h"

namespace trackalbum {

class MapPropertyPage {
public:
    static constexpr int MinZoomLevel = 1;
    static constexpr int MaxZoomLevel = 17;
    static constexpr int MinPathWidth = 1;
    static constexpr int MaxPathWidth = 100;

    // The entry texts of the map-type list; the item value is the index.
    static const char* GetMapTypeName(int mapType);

    int GetZoomLevel() const { return ZoomLevel; }
    void SetZoomLevel(int value);
    void StoreZoomLevel(int value) { ZoomLevel = value; }
    void StepZoomLevel(int spinStep);  // the up arrow reports -1
    int GetPathWidth() const { return PathWidth; }
    void SetPathWidth(int value);
    void StorePathWidth(int value) { PathWidth = value; }
    void StepPathWidth(int spinStep);
    // A value that no entry carries selects the first entry ("地図").
    int GetMapType() const { return MapType; }
    void SetMapType(int value);

    int GetAutoZoom() const { return AutoZoom; }
    void SetAutoZoom(int value) { AutoZoom = value ? 1 : 0; }
    int GetColoring() const { return Coloring; }
    void SetColoring(int value) { Coloring = value ? 1 : 0; }
    int GetIconTrace() const { return IconTrace; }
    void SetIconTrace(int value) { IconTrace = value ? 1 : 0; }
    int GetMapTypeBtn() const { return MapTypeBtn; }
    void SetMapTypeBtn(int value) { MapTypeBtn = value ? 1 : 0; }
    int GetScale() const { return Scale; }
    void SetScale(int value) { Scale = value ? 1 : 0; }
    int GetOverview() const { return Overview; }
    void SetOverview(int value) { Overview = value ? 1 : 0; }
    int GetJapanese() const { return Japanese; }
    void SetJapanese(int value) { Japanese = value ? 1 : 0; }
    int GetController() const { return Controller; }
    void SetController(int value) { Controller = value; }
    int GetDisplayType() const { return DisplayType; }
    void SetDisplayType(int value) { DisplayType = value; }
    int GetDisplayWidth() const { return DisplayWidth; }
    void SetDisplayWidth(int value) { DisplayWidth = value; }
    int GetDisplayHeight() const { return DisplayHeight; }
    void SetDisplayHeight(int value) { DisplayHeight = value; }
    int GetProfWidth() const { return ProfWidth; }
    void SetProfWidth(int value) { ProfWidth = value; }
    int GetProfHeight() const { return ProfHeight; }
    void SetProfHeight(int value) { ProfHeight = value; }
    Color GetPathColor() const { return PathColor; }
    void SetPathColor(Color value) { PathColor = value & 0xFFFFFFu; }
    Color GetUpColor() const { return UpColor; }
    void SetUpColor(Color value) { UpColor = value & 0xFFFFFFu; }
    Color GetDownColor() const { return DownColor; }
    void SetDownColor(Color value) { DownColor = value & 0xFFFFFFu; }
    Color GetFlatColor() const { return FlatColor; }
    void SetFlatColor(Color value) { FlatColor = value & 0xFFFFFFu; }

    // The zoom field and its spin only matter when the zoom is not chosen automatically;
    // the up, down and flat colours only when the route is coloured by grade.
    bool IsZoomFieldEnabled() const { return AutoZoom == 0; }
    bool AreGradeColorsEnabled() const { return Coloring != 0; }

private:
    // A page starts with the settings' defaults until the profile is loaded into it.
    static const MapSettings& Defaults();

    int ZoomLevel = Defaults().ZoomLevel;
    int PathWidth = Defaults().PathWidth;
    int MapType = Defaults().MapType;
    int AutoZoom = Defaults().AutoZoom;
    int Coloring = Defaults().Coloring;
    int IconTrace = Defaults().IconTrace;
    int MapTypeBtn = Defaults().MapTypeBtn;
    int Scale = Defaults().Scale;
    int Overview = Defaults().Overview;
    int Japanese = Defaults().Japanese;
    int Controller = Defaults().Controller;
    int DisplayType = Defaults().DisplayType;
    int DisplayWidth = Defaults().DisplayWidth;
    int DisplayHeight = Defaults().DisplayHeight;
    int ProfWidth = Defaults().ProfWidth;
    int ProfHeight = Defaults().ProfHeight;
    Color PathColor = Defaults().PathColor;
    Color UpColor = Defaults().UpColor;
    Color DownColor = Defaults().DownColor;
    Color FlatColor = Defaults().FlatColor;
};

}  // namespace trackalbum
