#include "platform/ImageCodec.h"

#include <algorithm>
#include <cstring>

#include "platform/BmpCodec.h"
#include "platform/GifCodec.h"
#include "platform/HeifCodec.h"
#include "platform/JpegCodec.h"
#include "platform/PngCodec.h"

namespace trackalbum {

size_t MemoryReader::Read(uint8_t* buffer, size_t size) {
    const size_t n = std::min(size, size_ - position_);
    if (n > 0) std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

bool MemoryReader::Skip(uint64_t size) {
    if (size > size_ - position_) {
        position_ = size_;
        return false;
    }
    position_ += static_cast<size_t>(size);
    return true;
}

bool MemoryReader::Seek(uint64_t position) {
    if (position > size_) return false;
    position_ = static_cast<size_t>(position);
    return true;
}

namespace {

// Stateless codecs, in the order their extensions are tried.
const ImageCodec* const* Codecs() {
    static const JpegCodec jpeg;
    static const PngCodec png;
    static const GifCodec gif;
    static const BmpCodec bmp;
    static const HeifCodec heif;
    static const ImageCodec* const all[] = {&jpeg, &png, &gif, &bmp, &heif, nullptr};
    return all;
}

}  // namespace

const ImageCodec* FindCodecBySignature(const uint8_t* head, size_t size) {
    for (const ImageCodec* const* c = Codecs(); *c; ++c)
        if ((*c)->HasSignature(head, size)) return *c;
    return nullptr;
}

const ImageCodec* FindCodecByPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (extension.empty()) return nullptr;
    for (const ImageCodec* const* c = Codecs(); *c; ++c)
        if ((*c)->WritesExtension(extension)) return *c;
    return nullptr;
}

CodecStatus CheckAnnouncedSize(int64_t width, int64_t height, int64_t maxPixels) {
    if (width <= 0 || height <= 0) return CodecStatus::Corrupt;
    if (width > maxPixels || height > maxPixels || width * height > maxPixels) return CodecStatus::TooLarge;
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return CodecStatus::TooLarge;
    return CodecStatus::Ok;
}

CodecStatus ImageCodec::ReadCheckedInfo(const uint8_t* data, size_t size, int64_t maxPixels,
                                        ImageInfo& info) const {
    MemoryReader header(data, size);
    if (ReadInfo(header, info) != CodecStatus::Ok) return CodecStatus::Corrupt;
    return CheckAnnouncedSize(info.width, info.height, maxPixels);
}

}  // namespace trackalbum
