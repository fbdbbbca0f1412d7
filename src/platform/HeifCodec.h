#pragma once
// HEIF pictures (HEIC, AVIF) through libheif, for reading only: browsers do not show them,
// so the pages get JPEG copies.
#include "platform/ImageCodec.h"

namespace trackalbum {

class HeifCodec : public ImageCodec {
public:
    bool HasSignature(const uint8_t* head, size_t size) const override;
    // None: nothing is ever saved as HEIF.
    bool WritesExtension(std::string_view extension) const override;
    // The size as shown, after the file's own transformations; the orientation is always 1.
    // Fails as Decode would for a picture too large or declared inconsistently.
    CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const override;
    CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                       ImageInfo& info) const override;
    CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const override;
    // The smallest embedded thumbnail that fits.
    CodecStatus DecodePreview(const uint8_t* data, size_t size, int64_t maxPixels, const PreviewFits& fits,
                              Raster& out) const override;
};

}  // namespace trackalbum
