#include "pipeline/PictureThumbnail.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace trackalbum {

ThumbnailSize GetThumbnailSize(int photoWidth, int photoHeight) {
    return photoWidth >= photoHeight ? ThumbnailSize{100, 75} : ThumbnailSize{75, 100};
}

ImageStatus LoadThumbnailSource(Image& photo, const std::string& path) {
    return photo.LoadPreview(path, [](int width, int height, int previewWidth, int previewHeight) {
        const ThumbnailSize size = GetThumbnailSize(width, height);
        const ThumbnailSize previewSize = GetThumbnailSize(previewWidth, previewHeight);
        return previewSize.width == size.width && previewWidth >= size.width && previewHeight >= size.height;
    });
}

Image MakeThumbnail(const Image& photo) {
    Image thumbnail;
    if (photo.IsEmpty()) return thumbnail;
    const int photoWidth = photo.GetWidth();
    const int photoHeight = photo.GetHeight();
    const ThumbnailSize size = GetThumbnailSize(photoWidth, photoHeight);
    if (!thumbnail.Create(size.width, size.height, 24)) return thumbnail;
    const int bytes = photo.GetBytesPerPixel();
    std::vector<int> sourceX(static_cast<size_t>(size.width));
    for (int x = 0; x < size.width; ++x) sourceX[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * photoWidth / size.width);
    for (int y = 0; y < size.height; ++y) {
        const uint8_t* source = photo.GetRow(static_cast<int>(int64_t{y} * photoHeight / size.height));
        uint8_t* target = thumbnail.GetRow(y);
        for (int x = 0; x < size.width; ++x) {
            std::memcpy(target + 3 * x, source + static_cast<size_t>(sourceX[static_cast<size_t>(x)]) * bytes, 3);
        }
    }
    return thumbnail;
}

}  // namespace trackalbum
