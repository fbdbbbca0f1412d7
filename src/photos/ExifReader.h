#pragma once
// A photo's taken time and its own position from its Exif block: in a JPEG the first APP1
// segment that is an Exif one (an XMP or other APP1 before it is passed over), in a HEIF
// picture the primary picture's Exif item. Only the header segments up to that APP1 are
// read from a JPEG, never its image data.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gps/TimeValue.h"
#include "photos/ExifFacts.h"

namespace trackalbum {

class ExifReader {
public:
    // 1 when the Exif block gave a taken time (see ExifFacts), else 0; the caller then
    // falls back on the file's own times. The position is read either way.
    int32_t Read(const std::string& path);
    // The time of the last successful Read (0 before).
    TimeValue GetTime() const { return time_; }
    // The position the last file read records, when it is valid.
    const std::optional<GpsPosition>& GetPosition() const { return position_; }
    // Whether the last file read is a HEIF picture, whatever its name.
    bool IsHeif() const { return heif_; }

    // The same over bytes already in memory; `path` is left as it was.
    int32_t ReadBuffer(const uint8_t* data, size_t size);

private:
    int32_t Take(const std::vector<uint8_t>& tiff);

    std::string path_;
    TimeValue time_;
    std::optional<GpsPosition> position_;
    bool heif_ = false;
};

}  // namespace trackalbum
