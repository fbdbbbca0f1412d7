// Loading and saving of Image through the codecs, and the header-only size query.
#include <vector>

#include "image/Image.h"
#include "platform/ExifOrientation.h"
#include "platform/ImageCodec.h"
#include "platform/ImageCodecIo.h"

namespace trackalbum {

namespace {

ImageStatus FromCodec(CodecStatus status) {
    switch (status) {
        case CodecStatus::Ok: return ImageStatus::Ok;
        case CodecStatus::TooLarge:
        case CodecStatus::OutOfMemory: return ImageStatus::OutOfMemory;
        default: return ImageStatus::GenericError;
    }
}

ImageStatus FromFile(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Ok: return ImageStatus::Ok;
        case FileReadStatus::NotFound: return ImageStatus::FileNotFound;
        case FileReadStatus::OutOfMemory: return ImageStatus::OutOfMemory;
        default: return ImageStatus::GenericError;
    }
}

}  // namespace

namespace {

// The whole file, once its signature names a decoder: a large file of another kind costs
// nothing.
ImageStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes) {
    FileReader reader;
    const FileReadStatus opened = reader.Open(path);
    if (opened != FileReadStatus::Ok) return FromFile(opened);
    uint8_t head[ImageCodec::SignatureSize];
    const size_t got = reader.Read(head, sizeof head);
    if (!FindCodecBySignature(head, got)) return ImageStatus::UnknownFormat;
    return FromFile(reader.ReadAll(bytes));
}

}  // namespace

ImageStatus Image::Load(const std::string& path) {
    Destroy();
    std::vector<uint8_t> bytes;
    const ImageStatus read = ReadImageFile(path, bytes);
    if (read != ImageStatus::Ok) return read;
    return LoadFromMemory(bytes.data(), bytes.size());
}

ImageStatus Image::LoadPreview(const std::string& path, const PreviewFits& fits) {
    Destroy();
    std::vector<uint8_t> bytes;
    const ImageStatus read = ReadImageFile(path, bytes);
    if (read != ImageStatus::Ok) return read;
    const ImageCodec* codec = FindCodecBySignature(bytes.data(), bytes.size());
    Raster preview;
    if (codec && codec->DecodePreview(bytes.data(), bytes.size(), MaxPixels, fits, preview) == CodecStatus::Ok) {
        raster_ = std::move(preview);
        return ImageStatus::Ok;
    }
    return LoadFromMemory(bytes.data(), bytes.size());
}

ImageStatus Image::LoadFromMemory(const uint8_t* data, size_t size, int64_t maxPixels) {
    Destroy();
    const ImageCodec* codec = FindCodecBySignature(data, size);
    if (!codec) return ImageStatus::UnknownFormat;
    ImageInfo info;
    Raster decoded;
    const CodecStatus status = codec->Decode(data, size, std::min(maxPixels, MaxPixels), decoded, info);
    if (status != CodecStatus::Ok) return FromCodec(status);
    raster_ = std::move(decoded);
    return ImageStatus::Ok;
}

ImageStatus Image::Save(const std::string& path) const {
    if (IsEmpty()) return ImageStatus::GenericError;
    const ImageCodec* codec = FindCodecByPath(path);
    if (!codec) return ImageStatus::UnknownFormat;
    std::vector<uint8_t> bytes;
    const CodecStatus status = codec->Encode(raster_, bytes);
    if (status != CodecStatus::Ok) return FromCodec(status);
    return WriteFileReplacing(path, bytes) ? ImageStatus::Ok : ImageStatus::GenericError;
}

bool ReadImageSize(const std::string& path, int& width, int& height) {
    FileReader reader;
    if (reader.Open(path) != FileReadStatus::Ok) return false;
    uint8_t head[ImageCodec::SignatureSize];
    const ImageCodec* codec = FindCodecBySignature(head, reader.Read(head, sizeof head));
    if (!codec || !reader.Rewind()) return false;
    ImageInfo info;
    if (codec->ReadInfo(reader, info) != CodecStatus::Ok) return false;
    // The same answer Load would give: a picture too large to load has no size either.
    if (CheckAnnouncedSize(info.width, info.height, Image::MaxPixels) != CodecStatus::Ok) return false;
    const bool swap = OrientationSwapsSides(info.orientation);
    width = swap ? info.height : info.width;
    height = swap ? info.width : info.height;
    return true;
}

}  // namespace trackalbum
