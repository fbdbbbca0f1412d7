#pragma once
// The program's one document: the track, the picture list, the comments file, the text of
// the page being written and the version string, with the operations Apply and the photo
// copy's preparation call.
#include <string>

#include "gps/GpsTrack.h"
#include "photos/CommentsFile.h"
#include "photos/PhotoCopyDocument.h"
#include "photos/PictureList.h"
#include "pipeline/ApplyDocument.h"

namespace trackalbum {

class Document : public ApplyDocument, public PhotoCopyDocument {
public:
    explicit Document(std::string version) : version_(std::move(version)) {}

    int LoadGpx(const std::string& path, bool speedLimitOn, double speedLimit,
                MessageHost& messages) override;
    void LoadPictures(const std::string& folder) override;
    void WriteComments(const std::string& gpsFile) override;
    void ReadComments(const std::string& gpsFile) override;
    void PlacePictures(int32_t offset) override;
    std::string GetTimeStatusText(int32_t gpsOffset, int32_t photoOffset) const override;
    std::string Reduce(double tolerance) override;
    void EnsureFolder(const std::string& path) override;
    void WriteMapRuntime(const PageOptions& options) override;
    void WritePlayerIcons() override;
    void WritePage(int kind, const PageOptions& options) override;
    std::string GetPageAddress(int kind, const PageOptions& options) const override;

    const GpsTrack& GetTrack() const override { return track_; }
    const PictureList& GetPictures() const override { return pictures_; }
    PictureList& GetPicturesForUpdate() override { return pictures_; }
    const std::string& GetPageText() const { return pageText_; }
    const std::string& GetVersionString() const { return version_; }

private:
    GpsTrack track_;
    PictureList pictures_;
    CommentsFile comments_;
    std::string pageText_;
    std::string version_;
};

}  // namespace trackalbum
