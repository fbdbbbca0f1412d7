#pragma once
// The record every fragment builder of the page receives; built afresh for each Apply.
#include <string>

#include "settings/TileLayers.h"

namespace trackalbum {

class PageOptions {
public:
    const std::string& GetPageName() const { return PageName_; }
    void SetPageName(const std::string& value) { PageName_ = value; }
    const std::string& GetAPIKey() const { return APIKey_; }
    void SetAPIKey(const std::string& value) { APIKey_ = value; }
    const std::string& GetPathColorHex() const { return PathColorHex_; }
    void SetPathColorHex(const std::string& value) { PathColorHex_ = value; }
    int GetPathWidth() const { return PathWidth_; }
    void SetPathWidth(int value) { PathWidth_ = value; }
    int GetAutoZoom() const { return AutoZoom_; }
    void SetAutoZoom(int value) { AutoZoom_ = value; }
    int GetZoomLevel() const { return ZoomLevel_; }
    void SetZoomLevel(int value) { ZoomLevel_ = value; }
    int GetControlFlags() const { return ControlFlags_; }
    void SetControlFlags(int value) { ControlFlags_ = value; }
    int GetMapType() const { return MapType_; }
    void SetMapType(int value) { MapType_ = value; }
    const std::string& GetDisplayWidthText() const { return DisplayWidthText_; }
    void SetDisplayWidthText(const std::string& value) { DisplayWidthText_ = value; }
    const std::string& GetDisplayHeightText() const { return DisplayHeightText_; }
    void SetDisplayHeightText(const std::string& value) { DisplayHeightText_ = value; }
    const std::string& GetGpsFile() const { return GpsFile_; }
    void SetGpsFile(const std::string& value) { GpsFile_ = value; }
    const std::string& GetUpColorHex() const { return UpColorHex_; }
    void SetUpColorHex(const std::string& value) { UpColorHex_ = value; }
    const std::string& GetDownColorHex() const { return DownColorHex_; }
    void SetDownColorHex(const std::string& value) { DownColorHex_ = value; }
    const std::string& GetFlatColorHex() const { return FlatColorHex_; }
    void SetFlatColorHex(const std::string& value) { FlatColorHex_ = value; }
    int GetColoring() const { return Coloring_; }
    void SetColoring(int value) { Coloring_ = value; }
    int GetIconTrace() const { return IconTrace_; }
    void SetIconTrace(int value) { IconTrace_ = value; }
    const std::string& GetProfWidthText() const { return ProfWidthText_; }
    void SetProfWidthText(const std::string& value) { ProfWidthText_ = value; }
    const std::string& GetProfHeightText() const { return ProfHeightText_; }
    void SetProfHeightText(const std::string& value) { ProfHeightText_ = value; }
    int GetScale() const { return Scale_; }
    void SetScale(int value) { Scale_ = value; }
    int GetOverview() const { return Overview_; }
    void SetOverview(int value) { Overview_ = value; }
    int GetKeepOriginalSize() const { return KeepOriginalSize_; }
    void SetKeepOriginalSize(int value) { KeepOriginalSize_ = value; }
    int GetJapanese() const { return Japanese_; }
    void SetJapanese(int value) { Japanese_ = value; }
    // Where the map API script and the two marker icons are loaded from ("." = beside the page).
    const std::string& GetAPIHost() const { return APIHost_; }
    void SetAPIHost(const std::string& value) { APIHost_ = value; }
    const std::string& GetIconHost() const { return IconHost_; }
    void SetIconHost(const std::string& value) { IconHost_ = value; }
    // The tile services the map runtime beside the pages draws from.
    const TileLayers& GetTileLayers() const { return TileLayers_; }
    void SetTileLayers(const TileLayers& value) { TileLayers_ = value; }

private:
    std::string PageName_;
    std::string APIKey_;
    std::string PathColorHex_;
    int PathWidth_ = 0;
    int AutoZoom_ = 0;
    int ZoomLevel_ = 0;
    int ControlFlags_ = 0;
    int MapType_ = 0;
    std::string DisplayWidthText_;
    std::string DisplayHeightText_;
    std::string GpsFile_;
    std::string UpColorHex_;
    std::string DownColorHex_;
    std::string FlatColorHex_;
    int Coloring_ = 0;
    int IconTrace_ = 0;
    std::string ProfWidthText_;
    std::string ProfHeightText_;
    int Scale_ = 0;
    int Overview_ = 0;
    int KeepOriginalSize_ = 0;
    int Japanese_ = 0;
    std::string APIHost_ = ".";
    std::string IconHost_ = ".";
    TileLayers TileLayers_;
};

}  // namespace trackalbum
