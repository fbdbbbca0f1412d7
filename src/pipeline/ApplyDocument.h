#pragma once
// What Apply asks of the document: the track, the picture list and the operations on them.
// The program's Document implements it over the subsystems; tests use a double.
#include <cstdint>
#include <string>

#include "gps/GpsTrack.h"
#include "page/PageOptions.h"
#include "photos/PictureList.h"
#include "platform/MessageHost.h"

namespace trackalbum {

class ApplyDocument {
public:
    virtual ~ApplyDocument() = default;

    // 0 for an empty path (the track stays as it was), else 1; read failures are reported
    // through `messages` and leave in the track what could be read.
    virtual int LoadGpx(const std::string& path, bool speedLimitOn, double speedLimit,
                        MessageHost& messages) = 0;
    // Empties the picture list and scans the folder into it.
    virtual void LoadPictures(const std::string& folder) = 0;
    virtual void WriteComments(const std::string& gpsFile) = 0;
    virtual void ReadComments(const std::string& gpsFile) = 0;
    virtual void PlacePictures(int32_t offset) = 0;
    virtual std::string GetTimeStatusText(int32_t gpsOffset, int32_t photoOffset) const = 0;
    // Thins the track in place; returns the reduction report.
    virtual std::string Reduce(double tolerance) = 0;
    virtual void EnsureFolder(const std::string& path) = 0;
    // The map runtime beside the pages, with the options' tile services, and the player's
    // icons. Each raises FileError when a file cannot be written.
    virtual void WriteMapRuntime(const PageOptions& options) = 0;
    virtual void WritePlayerIcons() = 0;
    // Raises FileError when the page cannot be written.
    virtual void WritePage(int kind, const PageOptions& options) = 0;
    // The address of the written page of that kind; raises FileError when there is none.
    virtual std::string GetPageAddress(int kind, const PageOptions& options) const = 0;

    virtual const GpsTrack& GetTrack() const = 0;
    virtual const PictureList& GetPictures() const = 0;
    // The picture list page edits comments in place.
    virtual PictureList& GetPicturesForUpdate() = 0;
};

}  // namespace trackalbum
