#include "pipeline/MapPropertyPage.h"

#include <algorithm>
#include <cstdint>

namespace trackalbum {
namespace {

// A spin step is applied in 64 bits so that a value typed at the edge of int cannot wrap.
int StepClamped(int value, int spinStep, int low, int high) {
    int64_t next = static_cast<int64_t>(value) - spinStep;
    return static_cast<int>(std::clamp<int64_t>(next, low, high));
}

}  // namespace

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

void MapPropertyPage::SetZoomLevel(int value) { ZoomLevel = std::clamp(value, MinZoomLevel, MaxZoomLevel); }

void MapPropertyPage::StepZoomLevel(int spinStep) {
    ZoomLevel = StepClamped(ZoomLevel, spinStep, MinZoomLevel, MaxZoomLevel);
}

void MapPropertyPage::SetPathWidth(int value) { PathWidth = std::clamp(value, MinPathWidth, MaxPathWidth); }

void MapPropertyPage::StepPathWidth(int spinStep) {
    PathWidth = StepClamped(PathWidth, spinStep, MinPathWidth, MaxPathWidth);
}

void MapPropertyPage::SetMapType(int value) { MapType = (value >= 0 && value <= 2) ? value : 0; }

}  // namespace trackalbum
