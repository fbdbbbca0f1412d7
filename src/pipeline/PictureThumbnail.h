#pragma once
// The picture list's thumbnail of the selected photo: 100 x 75 for a photo at least as
// wide as high, else 75 x 100, every pixel taken from the nearest photo pixel.
#include <string>

#include "image/Image.h"

namespace trackalbum {

struct ThumbnailSize {
    int width = 0;
    int height = 0;
};

ThumbnailSize GetThumbnailSize(int photoWidth, int photoHeight);

// The picture the thumbnail is made from: the photo's own embedded thumbnail (a HEIF
// picture's) when it is at least the thumbnail's size and of the photo's shape, which
// spares decoding a phone's twelve megapixels; else the whole photo.
ImageStatus LoadThumbnailSource(Image& photo, const std::string& path);

// A 24-bit image of the thumbnail size; empty for an empty photo.
Image MakeThumbnail(const Image& photo);

}  // namespace trackalbum
