#pragma once
// What one run of the photo copy did: how many photos reached the image folder in each
// mode, and which did not and why, so that a run with missing photos never looks complete.
#include <string>
#include <vector>

namespace trackalbum {

enum class PhotoCopyFailure {
    CopyFailed,     // the byte copy could not read the photo or write the target
    NotAnImage,     // the photo could not be decoded, so nothing was written
    ShrinkFailed,   // the photo or its reduction found no memory
    SaveFailed,     // the reduced image could not be encoded or written
    SameAsSource,   // the target is the photo itself; shrinking would destroy the original
};

struct PhotoCopyFailedPhoto {
    std::string FileName;
    PhotoCopyFailure Reason = PhotoCopyFailure::CopyFailed;
    friend bool operator==(const PhotoCopyFailedPhoto&, const PhotoCopyFailedPhoto&) = default;
};

struct PhotoCopySummary {
    int Copied = 0;
    int Shrunk = 0;
    std::vector<PhotoCopyFailedPhoto> Failed;
    int NotReached = 0;  // photos left when the run was stopped early

    int GetFailedCount() const { return static_cast<int>(Failed.size()); }
    bool IsComplete() const { return Failed.empty() && NotReached == 0; }
};

}  // namespace trackalbum
