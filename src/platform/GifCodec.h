#pragma once
// GIF through giflib: the first frame is decoded; output keeps every colour exactly when
// the image has at most 256 (a transparent entry included), otherwise it is reduced.
#include "platform/ImageCodec.h"

namespace trackalbum {

class GifCodec : public ImageCodec {
public:
    bool HasSignature(const uint8_t* head, size_t size) const override;
    bool WritesExtension(std::string_view extension) const override;
    CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const override;
    CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                       ImageInfo& info) const override;
    CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const override;
};

}  // namespace trackalbum
