#pragma once
// PNG through libpng; errors jump back into the codec instead of aborting.
#include "platform/ImageCodec.h"

namespace trackalbum {

class PngCodec : public ImageCodec {
public:
    bool HasSignature(const uint8_t* head, size_t size) const override;
    bool WritesExtension(std::string_view extension) const override;
    CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const override;
    CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                       ImageInfo& info) const override;
    CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const override;
};

}  // namespace trackalbum
