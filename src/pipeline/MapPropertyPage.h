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

    int GetZoomLevel() const { return zoomLevel_; }
    void SetZoomLevel(int value);
    void StoreZoomLevel(int value) { zoomLevel_ = value; }
    void StepZoomLevel(int spinStep);  // the up arrow reports -1
    int GetPathWidth() const { return pathWidth_; }
    void SetPathWidth(int value);
    void StorePathWidth(int value) { pathWidth_ = value; }
    void StepPathWidth(int spinStep);
    // A value that no entry carries selects the first entry ("地図").
    int GetMapType() const { return mapType_; }
    void SetMapType(int value);

    int GetAutoZoom() const { return autoZoom_; }
    void SetAutoZoom(int value) { autoZoom_ = value ? 1 : 0; }
    int GetColoring() const { return coloring_; }
    void SetColoring(int value) { coloring_ = value ? 1 : 0; }
    int GetIconTrace() const { return iconTrace_; }
    void SetIconTrace(int value) { iconTrace_ = value ? 1 : 0; }
    int GetMapTypeBtn() const { return mapTypeBtn_; }
    void SetMapTypeBtn(int value) { mapTypeBtn_ = value ? 1 : 0; }
    int GetScale() const { return scale_; }
    void SetScale(int value) { scale_ = value ? 1 : 0; }
    int GetOverview() const { return overview_; }
    void SetOverview(int value) { overview_ = value ? 1 : 0; }
    int GetJapanese() const { return japanese_; }
    void SetJapanese(int value) { japanese_ = value ? 1 : 0; }
    int GetController() const { return controller_; }
    void SetController(int value) { controller_ = value; }
    int GetDisplayType() const { return displayType_; }
    void SetDisplayType(int value) { displayType_ = value; }
    int GetDisplayWidth() const { return displayWidth_; }
    void SetDisplayWidth(int value) { displayWidth_ = value; }
    int GetDisplayHeight() const { return displayHeight_; }
    void SetDisplayHeight(int value) { displayHeight_ = value; }
    int GetProfWidth() const { return profWidth_; }
    void SetProfWidth(int value) { profWidth_ = value; }
    int GetProfHeight() const { return profHeight_; }
    void SetProfHeight(int value) { profHeight_ = value; }
    Color GetPathColor() const { return pathColor_; }
    void SetPathColor(Color value) { pathColor_ = value & 0xFFFFFFu; }
    Color GetUpColor() const { return upColor_; }
    void SetUpColor(Color value) { upColor_ = value & 0xFFFFFFu; }
    Color GetDownColor() const { return downColor_; }
    void SetDownColor(Color value) { downColor_ = value & 0xFFFFFFu; }
    Color GetFlatColor() const { return flatColor_; }
    void SetFlatColor(Color value) { flatColor_ = value & 0xFFFFFFu; }

    // The zoom field and its spin only matter when the zoom is not chosen automatically;
    // the up, down and flat colours only when the route is coloured by grade.
    bool IsZoomFieldEnabled() const { return autoZoom_ == 0; }
    bool AreGradeColorsEnabled() const { return coloring_ != 0; }

private:
    // A page starts with the settings' defaults until the profile is loaded into it.
    static const MapSettings& Defaults();

    int zoomLevel_ = Defaults().ZoomLevel;
    int pathWidth_ = Defaults().PathWidth;
    int mapType_ = Defaults().MapType;
    int autoZoom_ = Defaults().AutoZoom;
    int coloring_ = Defaults().Coloring;
    int iconTrace_ = Defaults().IconTrace;
    int mapTypeBtn_ = Defaults().MapTypeBtn;
    int scale_ = Defaults().Scale;
    int overview_ = Defaults().Overview;
    int japanese_ = Defaults().Japanese;
    int controller_ = Defaults().Controller;
    int displayType_ = Defaults().DisplayType;
    int displayWidth_ = Defaults().DisplayWidth;
    int displayHeight_ = Defaults().DisplayHeight;
    int profWidth_ = Defaults().ProfWidth;
    int profHeight_ = Defaults().ProfHeight;
    Color pathColor_ = Defaults().PathColor;
    Color upColor_ = Defaults().UpColor;
    Color downColor_ = Defaults().DownColor;
    Color flatColor_ = Defaults().FlatColor;
};

}  // namespace trackalbum
