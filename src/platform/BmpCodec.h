#pragma once
// Windows bitmaps, read and written here: uncompressed 1, 4, 8, 16, 24 and 32 bits a pixel
// (palettes and bit fields) are read; 24 bits, or 32 with alpha, are written.
#include "platform/ImageCodec.h"

namespace trackalbum {

class BmpCodec : public ImageCodec {
public:
    bool HasSignature(const uint8_t* head, size_t size) const override;
    bool WritesExtension(std::string_view extension) const override;
    CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const override;
    CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                       ImageInfo& info) const override;
    CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const override;
};

}  // namespace trackalbum
