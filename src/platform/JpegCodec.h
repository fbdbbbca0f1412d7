#pragma once
// JPEG through libjpeg-turbo. Decoder errors never end the process: the library's error
// exit is replaced by a jump back into the codec.
#include "platform/ImageCodec.h"

namespace trackalbum {

class JpegCodec : public ImageCodec {
public:
    static constexpr int DefaultQuality = 75;

    bool HasSignature(const uint8_t* head, size_t size) const override;
    bool WritesExtension(std::string_view extension) const override;
    // Walks the segments up to the first frame header (SOFn), reading the orientation
    // from the first Exif APP1 on the way.
    CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const override;
    CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                       ImageInfo& info) const override;
    CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const override;
};

}  // namespace trackalbum
