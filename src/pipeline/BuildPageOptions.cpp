#include "pipeline/BuildPageOptions.h"

#include "pipeline/ColorToHex.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

int ControlFlagsOf(const MapSettings& settings) {
    int flags = settings.MapTypeBtn ? 4 : 0;
    if (settings.Controller == 1) flags += 2;
    else if (settings.Controller == 2) flags += 1;
    return flags;
}

std::string DisplaySizeText(int displayType, int size) {
    return displayType == 1 ? FormatC("%dpx", size) : FormatC("%d%%", size);
}

}  // namespace

PageOptions BuildPageOptions(const MapSettings& settings, const RunOptions& run) {
    PageOptions options;
    options.SetPageName(run.PageName);
    options.SetAPIKey(settings.APIKey);
    options.SetPathColorHex(ColorToHex(settings.PathColor));
    options.SetPathWidth(settings.PathWidth);
    options.SetAutoZoom(settings.AutoZoom);
    options.SetZoomLevel(settings.ZoomLevel);
    options.SetControlFlags(ControlFlagsOf(settings));
    options.SetMapType(settings.MapType);
    options.SetDisplayWidthText(DisplaySizeText(settings.DisplayType, settings.DisplayWidth));
    options.SetDisplayHeightText(DisplaySizeText(settings.DisplayType, settings.DisplayHeight));
    options.SetGpsFile(run.GpsFile);
    options.SetUpColorHex(ColorToHex(settings.UpColor));
    options.SetDownColorHex(ColorToHex(settings.DownColor));
    options.SetFlatColorHex(ColorToHex(settings.FlatColor));
    options.SetColoring(settings.Coloring);
    options.SetIconTrace(settings.IconTrace);
    options.SetProfWidthText(FormatC("%dpx", settings.ProfWidth));
    options.SetProfHeightText(FormatC("%dpx", settings.ProfHeight));
    options.SetScale(settings.Scale);
    options.SetOverview(settings.Overview);
    options.SetKeepOriginalSize(run.KeepOriginalSize);
    options.SetJapanese(settings.Japanese);
    options.SetAPIHost(settings.APIHost);
    options.SetIconHost(settings.IconHost);
    TileLayers tiles;
    tiles.Normal = {settings.NormalTileUrl, settings.NormalTileAttribution, settings.NormalTileMaxZoom};
    tiles.Aerial = {settings.AerialTileUrl, settings.AerialTileAttribution, settings.AerialTileMaxZoom};
    tiles.Overlay = {settings.OverlayTileUrl, settings.OverlayTileAttribution, settings.OverlayTileMaxZoom};
    options.SetTileLayers(tiles);
    return options;
}

}  // namespace trackalbum
