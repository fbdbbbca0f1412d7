#include "photos/PhotoCopyStep.h"

#include <new>

#include "image/Image.h"
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

// Decodes the photo (or the thumbnail that `fits` accepts) for a target made from it.
// A photo too large for memory fails with `tooLarge`.
std::optional<PhotoCopyFailure> LoadPhoto(const std::string& source, const std::string& target,
                                          const PreviewFits& fits, PhotoCopyFailure tooLarge, Image& photo) {
    // A pipe or device in the photo folder would hold the decoder forever.
    if (!IsRegularFile(source)) {
        return PhotoCopyFailure::NotAnImage;
    }
    // Writing the result over the photo itself would lose the original.
    if (IsSameFile(source, target)) {
        return PhotoCopyFailure::SameAsSource;
    }
    const ImageStatus loaded = fits ? photo.LoadPreview(source, fits) : photo.Load(source);
    if (loaded == ImageStatus::OutOfMemory) {
        return tooLarge;
    }
    if (loaded != ImageStatus::Ok || photo.IsEmpty()) {
        return PhotoCopyFailure::NotAnImage;
    }
    return std::nullopt;
}

// A thumbnail may stand in when it is at least as wide as the reduction and gives it the
// same width and height as the whole picture would.
bool ReducesAlike(int width, int height, int previewWidth, int previewHeight) {
    const int64_t target = GetShrinkWidth(width, height);
    return target <= width && previewWidth >= target && GetShrinkWidth(previewWidth, previewHeight) == target &&
           previewHeight * target / previewWidth == height * target / width;
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

std::optional<PhotoCopyFailure> ConvertPhoto(const std::string& source, const std::string& target) {
    try {
        Image photo;
        // Nothing is shrunk here: whatever keeps the picture from decoding makes it unreadable.
        if (const std::optional<PhotoCopyFailure> failure =
                LoadPhoto(source, target, nullptr, PhotoCopyFailure::NotAnImage, photo)) {
            return failure;
        }
        return Save(photo, target);
    } catch (const std::bad_alloc&) {
        return PhotoCopyFailure::NotAnImage;
    }
}

std::optional<PhotoCopyFailure> ShrinkPhoto(const std::string& source, const std::string& target) {
    try {
        Image photo;
        if (const std::optional<PhotoCopyFailure> failure =
                LoadPhoto(source, target, ReducesAlike, PhotoCopyFailure::ShrinkFailed, photo)) {
            return failure;
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
