#pragma once
// The control panel's four pages without any window. The desktop program binds them to its
// controls; the command line fills them from the profile and its options. Apply reads them.
#include <cstdint>
#include <string>

#include "pipeline/ApiKeyPage.h"
#include "pipeline/ApplyDocument.h"
#include "pipeline/CameraGpsPage.h"
#include "pipeline/MapPropertyPage.h"
#include "pipeline/PictureListPage.h"
#include "settings/MapSettings.h"
#include "settings/RunOptions.h"
#include "settings/SettingsStore.h"

namespace trackalbum {

class ControlPanel {
public:
    // The panel starts with the time zone at +9.
    ControlPanel();

    CameraGpsPage& GetCameraGpsPage() { return cameraGps_; }
    const CameraGpsPage& GetCameraGpsPage() const { return cameraGps_; }
    MapPropertyPage& GetMapPropertyPage() { return mapProperty_; }
    const MapPropertyPage& GetMapPropertyPage() const { return mapProperty_; }
    PictureListPage& GetPictureListPage() { return pictureList_; }
    const PictureListPage& GetPictureListPage() const { return pictureList_; }
    ApiKeyPage& GetApiKeyPage() { return apiKey_; }
    const ApiKeyPage& GetApiKeyPage() const { return apiKey_; }

    // Profile -> pages, through the pages' setters (so stored values get their clamps).
    void LoadSettingsToPages(const SettingsStore& store);
    // Pages -> profile, made durable; then the document stores the current comments.
    // Returns false when the profile could not be stored.
    bool SavePagesToSettings(const SettingsStore& store, ApplyDocument& document);

    MapSettings GetMapSettings() const;
    RunOptions GetRunOptions() const { return cameraGps_.GetRunOptions(); }

    int32_t GetZoneSeconds() const;
    int32_t GetClockSeconds() const;
    int32_t GetPlacementOffset() const;

private:
    CameraGpsPage cameraGps_;
    MapPropertyPage mapProperty_;
    PictureListPage pictureList_;
    ApiKeyPage apiKey_;
};

}  // namespace trackalbum
