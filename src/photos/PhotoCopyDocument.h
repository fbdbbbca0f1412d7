#pragma once
// What the photo copy's preparation asks of the document that owns the picture list. The
// program's document has these operations already; `PictureListDocument` lends them to a
// bare list and comments file.
#include <string>

#include "photos/CommentsFile.h"
#include "photos/PictureList.h"

namespace trackalbum {

class PhotoCopyDocument {
public:
    virtual ~PhotoCopyDocument() = default;

    virtual void WriteComments(const std::string& gpsFile) = 0;
    // Empties the picture list and scans the folder into it.
    virtual void LoadPictures(const std::string& folder) = 0;
    virtual void ReadComments(const std::string& gpsFile) = 0;
    virtual const PictureList& GetPictures() const = 0;
};

class PictureListDocument : public PhotoCopyDocument {
public:
    PictureListDocument(PictureList& pictures, CommentsFile& comments)
        : pictures_(pictures), comments_(comments) {}

    void WriteComments(const std::string& gpsFile) override {
        comments_.WriteComments(pictures_, gpsFile);
    }
    void LoadPictures(const std::string& folder) override {
        pictures_.RemoveAllPictures();
        pictures_.Scan(folder);
    }
    void ReadComments(const std::string& gpsFile) override {
        comments_.ReadComments(pictures_, gpsFile);
    }
    const PictureList& GetPictures() const override { return pictures_; }

private:
    PictureList& pictures_;
    CommentsFile& comments_;
};

}  // namespace trackalbum
