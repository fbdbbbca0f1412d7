#pragma once
// The taken time of a JPEG photo: the DateTime entry (tag 0x0132) of IFD0 in the first APP1
// segment, when that segment is an EXIF one. Only the header segments up to and including
// that APP1 are read, never the image data.
#include <cstdint>
#include <string>
#include <vector>

#include "gps/TimeValue.h"

namespace trackalbum {

class ExifReader {
public:
    // 1 when a DateTime entry was found and gave a representable time, else 0. A date the
    // time conversion cannot represent (an unset camera clock writes all zeros) counts as
    // no date at all, so the caller falls back on the file's own times.
    int32_t Read(const std::string& path);
    // The time of the last successful Read (0 before).
    TimeValue GetTime() const { return time_; }

    // The same walk over bytes already in memory; `path` is left as it was.
    int32_t ReadBuffer(const uint8_t* data, size_t size);

private:
    template <class Source>
    int32_t Walk(Source& source);
    bool ReadIfd0();
    uint16_t Get16(size_t position) const;
    uint32_t Get32(size_t position) const;

    static constexpr int32_t HeaderSize = 12;  // length, "Exif\0\0", byte order, magic
    std::string path_;
    std::vector<uint8_t> tiffData_;  // the TIFF structure from its fifth byte on
    uint16_t segmentLength_ = 0;
    TimeValue time_;
    int32_t littleEndian_ = 0;
};

}  // namespace trackalbum
