#pragma once
// One photo of the run, in either mode. Each returns nothing on success and the reason
// otherwise; neither throws.
#include <optional>
#include <string>

#include "photos/PhotoCopySummary.h"

namespace trackalbum {

// The photo as it is, byte for byte, whatever it holds.
std::optional<PhotoCopyFailure> CopyPhoto(const std::string& source, const std::string& target);

// The whole photo decoded and saved in the format the target's extension names: the
// keep-size copy of a HEIF picture, which browsers show only as a JPEG.
std::optional<PhotoCopyFailure> ConvertPhoto(const std::string& source, const std::string& target);

// The photo decoded, reduced to 160 pixels wide (landscape) or 120 (square, upright) and
// saved in the format the target's extension names. A photo narrower than that is saved
// at its own size. Nothing is written for a file that does not decode. A HEIF picture's own
// thumbnail stands in for the picture when the reduction from it has the same size.
std::optional<PhotoCopyFailure> ShrinkPhoto(const std::string& source, const std::string& target);

}  // namespace trackalbum
