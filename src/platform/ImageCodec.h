#pragma once
// One small interface per image file format: signature, header facts, decoding and
// encoding. The image never sees a codec library; each codec never sees the image.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ImageCodecRaster.h"

namespace trackalbum {

enum class CodecStatus {
    Ok,
    Corrupt,      // not decodable: damaged, truncated or an unsupported variant
    TooLarge,     // the header announces more pixels than allowed
    OutOfMemory,
    Unsupported,  // nothing to encode, or a shape the format cannot hold
};

// What a header tells without decoding: the stored size and the EXIF orientation (1-8,
// 1 = as stored) that Load applies.
struct ImageInfo {
    int width = 0;
    int height = 0;
    int orientation = 1;
};

// Decides whether a file's own reduced copy of a picture (an embedded thumbnail) of the
// given upright size may stand in for the picture of the given size.
using PreviewFits = std::function<bool(int pictureWidth, int pictureHeight, int previewWidth, int previewHeight)>;

// Sequential reading with skips, so header scans work on files and memory alike and
// never read more than they need.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Bytes actually read; fewer than asked only at the end of the data.
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
    // False when the data ends before `size` more bytes.
    virtual bool Skip(uint64_t size) = 0;
    // Random access, for containers whose parts lie anywhere in the file: the whole size
    // (0 when unknown) and a move to a position from the start (false when impossible).
    virtual uint64_t GetSize() const { return 0; }
    virtual bool Seek(uint64_t) { return false; }

    bool ReadExactly(uint8_t* buffer, size_t size) { return Read(buffer, size) == size; }
};

class MemoryReader : public ByteReader {
public:
    MemoryReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    bool Skip(uint64_t size) override;
    uint64_t GetSize() const override { return size_; }
    bool Seek(uint64_t position) override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

class ImageCodec {
public:
    virtual ~ImageCodec() = default;

    // Bytes needed from the start of a file to recognise every format (a HEIF file lists
    // its brands in its first box).
    static constexpr size_t SignatureSize = 256;

    virtual bool HasSignature(const uint8_t* head, size_t size) const = 0;
    // `extension` is lower case, without the dot.
    virtual bool WritesExtension(std::string_view extension) const = 0;
    virtual CodecStatus ReadInfo(ByteReader& reader, ImageInfo& info) const = 0;
    // Decodes into `out` (3 channels, or 4 when the file has transparency), already turned
    // upright by the orientation; `info` gets the header facts. Fails with TooLarge before
    // allocating when the header announces more than `maxPixels`.
    virtual CodecStatus Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                               ImageInfo& info) const = 0;
    // Encodes with the format's default settings; `out` receives the whole file.
    virtual CodecStatus Encode(const Raster& image, std::vector<uint8_t>& out) const = 0;
    // The file's own reduced copy of the picture, when it holds one that `fits` accepts,
    // decoded upright; Unsupported when the format or the file holds none.
    virtual CodecStatus DecodePreview(const uint8_t* /*data*/, size_t /*size*/, int64_t /*maxPixels*/,
                                      const PreviewFits& /*fits*/, Raster& /*out*/) const {
        return CodecStatus::Unsupported;
    }

protected:
    // ReadInfo over the file's bytes, then the announced size checked against `maxPixels`.
    CodecStatus ReadCheckedInfo(const uint8_t* data, size_t size, int64_t maxPixels, ImageInfo& info) const;
};

// The codec whose signature starts `head`, or null.
const ImageCodec* FindCodecBySignature(const uint8_t* head, size_t size);
// The codec that writes the path's extension (compared without regard to case), or null.
const ImageCodec* FindCodecByPath(const std::string& path);

// Whether a header's width and height are acceptable for decoding.
CodecStatus CheckAnnouncedSize(int64_t width, int64_t height, int64_t maxPixels);

}  // namespace trackalbum
