#include "photos/PhotoCopyStep.h"

#include <new>

#include "charts/Image.h"
#include "photos/PhotoCopyFile.h"
#include "photos/ShrinkFilter.h"

namespace trackalbum {
namespace {

std::optional<PhotoCopyFailure> Save(const Image& image, const std::string& target) {
    if (image.Save(target) != ImageStatus::Ok) {
        return PhotoCopyFailure::SaveFailed;
    }
    return std::nullopt;
}

}  // namespace

std::optional<PhotoCopyFailure> CopyPhoto(const std::string& source, const std::string& target) {
    try {
        if (!CopyFileReplacing(source, target)) {
            return PhotoCopyFailure::CopyFailed;
        }
    } catch (const std::bad_alloc&) {
        return PhotoCopyFailure::CopyFailed;
    }
    return std::nullopt;
}

std::optional<PhotoCopyFailure> ShrinkPhoto(const std::string& source, const std::string& target) {
    // A pipe or device in the photo folder would hold the decoder forever.
    if (!IsRegularFile(source)) {
        return PhotoCopyFailure::NotAnImage;
    }
    // Writing the reduction over the photo itself would lose the original.
    if (IsSameFile(source, target)) {
        return PhotoCopyFailure::SameAsSource;
    }
    try {
        Image photo;
        const ImageStatus loaded = photo.Load(source);
        if (loaded == ImageStatus::OutOfMemory) {
            return PhotoCopyFailure::ShrinkFailed;
        }
        if (loaded != ImageStatus::Ok || photo.IsEmpty()) {
            return PhotoCopyFailure::NotAnImage;
        }
        const int targetWidth = GetShrinkWidth(photo.GetWidth(), photo.GetHeight());
        if (targetWidth > photo.GetWidth()) {
            return Save(photo, target);
        }
        Image reduced;
        if (!ShrinkImage(photo, targetWidth, reduced)) {
            return PhotoCopyFailure::ShrinkFailed;
        }
        photo.Destroy();
        return Save(reduced, target);
    } catch (const std::bad_alloc&) {
        return PhotoCopyFailure::ShrinkFailed;
    }
}

}  // namespace trackalbum
