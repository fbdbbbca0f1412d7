#include "platform/HeifCodec.h"

#include "platform/HeifFile.h"

namespace trackalbum {

bool HeifCodec::HasSignature(const uint8_t* head, size_t size) const { return IsHeifSignature(head, size); }

bool HeifCodec::WritesExtension(std::string_view) const { return false; }

CodecStatus HeifCodec::ReadInfo(ByteReader& reader, ImageInfo& info) const {
    info = {};
    HeifFile file;
    if (!file.OpenReader(reader)) return CodecStatus::Corrupt;
    info.width = file.GetWidth();
    info.height = file.GetHeight();
    return file.CheckSize(HeifFile::MaxPixels);
}

CodecStatus HeifCodec::Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                              ImageInfo& info) const {
    out.Clear();
    HeifFile file;
    if (!file.OpenMemory(data, size)) return CodecStatus::Corrupt;
    const CodecStatus status = file.Decode(maxPixels, out);
    if (status == CodecStatus::Ok) info = {out.width, out.height, 1};
    return status;
}

CodecStatus HeifCodec::Encode(const Raster&, std::vector<uint8_t>& out) const {
    out.clear();
    return CodecStatus::Unsupported;
}

CodecStatus HeifCodec::DecodePreview(const uint8_t* data, size_t size, int64_t maxPixels, const PreviewFits& fits,
                                     Raster& out) const {
    out.Clear();
    HeifFile file;
    if (!file.OpenMemory(data, size)) return CodecStatus::Corrupt;
    return file.DecodeThumbnail(fits, maxPixels, out);
}

}  // namespace trackalbum
