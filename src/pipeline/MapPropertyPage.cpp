#include "pipeline/MapPropertyPage.h"

#include <algorithm>

#include "pipeline/SpinStep.h"

namespace trackalbum {

const MapSettings& MapPropertyPage::Defaults() {
    static const MapSettings defaults;
    return defaults;
}

const char* MapPropertyPage::GetMapTypeName(int mapType) {
    switch (mapType) {
    case 1: return "航空写真";
    case 2: return "地図+写真";
    default: return "地図";
    }
}

void MapPropertyPage::SetZoomLevel(int value) { zoomLevel_ = std::clamp(value, MinZoomLevel, MaxZoomLevel); }

void MapPropertyPage::StepZoomLevel(int spinStep) {
    zoomLevel_ = StepClamped(zoomLevel_, spinStep, MinZoomLevel, MaxZoomLevel);
}

void MapPropertyPage::SetPathWidth(int value) { pathWidth_ = std::clamp(value, MinPathWidth, MaxPathWidth); }

void MapPropertyPage::StepPathWidth(int spinStep) {
    pathWidth_ = StepClamped(pathWidth_, spinStep, MinPathWidth, MaxPathWidth);
}

void MapPropertyPage::SetMapType(int value) { mapType_ = (value >= 0 && value <= 2) ? value : 0; }

}  // namespace trackalbum
