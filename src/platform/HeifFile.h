#pragma once
// HEIF pictures (phones save their photos so) through libheif: the container read from
// memory or through a ByteReader, the primary picture's size as shown, its Exif block, and
// its pixels or an embedded thumbnail decoded upright by the file's own transformations.
// The Exif orientation is never applied: phones record the turn in both places.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ImageCodec.h"

namespace trackalbum {

// Whether a file that starts with `head` is a HEIF picture: bytes 4 to 7 are "ftyp" and the
// major brand or one of the compatible brands within the first ImageCodec::SignatureSize
// bytes names a picture (heic, heix, heim, heis, hevc, hevx, mif1, msf1, avif), whatever the
// file is called.
bool IsHeifSignature(const uint8_t* head, size_t size);

class HeifFile {
public:
    // Decoding needs several copies of the picture at once (the decoder's planes, their
    // conversion, the turn, the caller's copy), so fewer pixels are allowed than for the
    // other formats; every phone picture lies far below this.
    static constexpr int64_t MaxPixels = 150'000'000;

    HeifFile();
    ~HeifFile();
    HeifFile(const HeifFile&) = delete;
    HeifFile& operator=(const HeifFile&) = delete;

    // False when the container cannot be read or names no primary picture. The bytes or
    // the reader must outlive this object: pixels are read only when decoded.
    bool OpenMemory(const uint8_t* data, size_t size);
    // The reader must give random access (GetSize and Seek).
    bool OpenReader(ByteReader& reader);

    // The primary picture as shown, after the file's rotation, mirroring and cropping.
    int GetWidth() const;
    int GetHeight() const;

    // The TIFF structure of the primary picture's Exif item: what follows the item's 4-byte
    // big-endian offset and the bytes it skips ("Exif\0\0" when the offset is 6). False when
    // there is no such item or the offset lies beyond it.
    bool ReadExifTiff(std::vector<uint8_t>& tiff) const;

    // Whether the primary picture may be decoded: TooLarge when it, any grid or overlay of
    // the file, or all coded pictures together declare more than `maxPixels` (or MaxPixels);
    // Corrupt when its own grid or any coded picture declares more than its ispe property
    // says, or the items cannot be read.
    CodecStatus CheckSize(int64_t maxPixels) const;
    // The primary picture, 3 channels (4 with alpha), after CheckSize, so nothing too large
    // is ever allocated.
    CodecStatus Decode(int64_t maxPixels, Raster& out) const;
    // The smallest embedded thumbnail that `fits` accepts, given the picture's and the
    // thumbnail's upright sizes; Unsupported when there is none.
    CodecStatus DecodeThumbnail(const PreviewFits& fits, int64_t maxPixels, Raster& out) const;

private:
    struct Parts;
    bool OpenPrimary(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

}  // namespace trackalbum
