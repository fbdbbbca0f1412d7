#include "pipeline/Document.h"

#include "gps/LoadGpx.h"
#include "page/MapRuntime.h"
#include "page/OutputFiles.h"
#include "page/PageWriter.h"
#include "page/PlayerIcons.h"
#include "photos/Placement.h"

namespace trackalbum {

int Document::LoadGpx(const std::string& path, bool speedLimitOn, double speedLimit,
                      MessageHost& messages) {
    return trackalbum::LoadGpx(track_, path, speedLimitOn, speedLimit, messages);
}

void Document::LoadPictures(const std::string& folder) {
    pictures_.RemoveAllPictures();
    pictures_.Scan(folder);
}

void Document::WriteComments(const std::string& gpsFile) { comments_.WriteComments(pictures_, gpsFile); }

void Document::ReadComments(const std::string& gpsFile) { comments_.ReadComments(pictures_, gpsFile); }

void Document::PlacePictures(int32_t offset) { trackalbum::PlacePictures(pictures_, track_, offset); }

std::string Document::GetTimeStatusText(int32_t gpsOffset, int32_t photoOffset) const {
    return trackalbum::GetTimeStatusText(track_, pictures_, gpsOffset, photoOffset);
}

std::string Document::Reduce(double tolerance) { return track_.Reduce(tolerance); }

void Document::EnsureFolder(const std::string& path) { trackalbum::EnsureFolder(path); }

void Document::WriteMapRuntime(const PageOptions& options) {
    trackalbum::WriteMapRuntime(options.GetTileLayers());
}

void Document::WritePlayerIcons() { trackalbum::WritePlayerIcons(); }

void Document::WritePage(int kind, const PageOptions& options) {
    trackalbum::WritePage(kind, options, track_, pictures_, version_, pageText_);
}

std::string Document::GetPageAddress(int kind, const PageOptions& options) const {
    return trackalbum::GetPageAddress(kind, options);
}

}  // namespace trackalbum
