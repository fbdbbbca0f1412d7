#include "charts/Image.h"

namespace trackalbum {

ImageStatus Image::Load(const std::string&) { return ImageStatus::GenericError; }

ImageStatus Image::LoadFromMemory(const uint8_t*, size_t, int64_t) { return ImageStatus::GenericError; }

ImageStatus Image::Save(const std::string&) const { return ImageStatus::GenericError; }

bool ReadImageSize(const std::string&, int&, int&) { return false; }

}  // namespace trackalbum
