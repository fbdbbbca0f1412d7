#pragma once
// Builders for JPEG headers with EXIF segments, so tests can say exactly which bytes a
// reader meets.
#include <cstdint>
#include <string>
#include <vector>

namespace trackalbum::testing {

using Bytes = std::vector<uint8_t>;

struct IfdEntry {
    uint16_t tag = 0;
    uint16_t type = 2;  // ASCII
    std::string text;   // stored after the directory, its offset in the value field
    uint32_t count = 0; // for entries without text: count and value as given
    uint32_t value = 0;
};

inline IfdEntry DateTimeEntry(const std::string& text) { return {0x0132, 2, text, 0, 0}; }

// A TIFF structure: header, IFD0 at offset 8 with the entries, then the texts. Text
// entries count their terminating zero.
Bytes MakeTiff(bool littleEndian, const std::vector<IfdEntry>& entries);

// 0xFF, the marker, the big-endian length (payload + 2) and the payload.
Bytes MakeSegment(uint8_t marker, const Bytes& payload);
Bytes MakeExifSegment(const Bytes& tiff);  // APP1 with "Exif\0\0"
Bytes MakeJfifSegment();                    // a 16-byte APP0
Bytes MakeXmpSegment();                     // APP1 with an XMP packet

// SOI, the segments, a start of scan with some image bytes, and EOI.
Bytes MakeJpeg(const std::vector<Bytes>& segments);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace trackalbum::testing
