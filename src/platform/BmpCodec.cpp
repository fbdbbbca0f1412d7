#include "platform/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace trackalbum {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;
constexpr size_t kFileHeader = 14;
constexpr uint32_t kV4Header = 108;
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24; }

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct PaletteEntry {
    uint8_t r = 0, g = 0, b = 0;
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // positive; `topDown` keeps the sign
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t headerSize = 0;
    uint32_t dataOffset = 0;
    uint32_t coloursUsed = 0;
};

// The file header and the size fields of the info header, from the first 26 bytes.
CodecStatus ParseHeader(const uint8_t* b, size_t size, Header& h) {
    if (size < 26 || b[0] != 'B' || b[1] != 'M') return CodecStatus::Corrupt;
    h.dataOffset = Get32(b + 10);
    h.headerSize = Get32(b + 14);
    if (h.headerSize == 12) {
        h.width = Get16(b + 18);
        h.height = Get16(b + 20);
        h.bitCount = Get16(b + 24);
        return h.width > 0 && h.height > 0 ? CodecStatus::Ok : CodecStatus::Corrupt;
    }
    if (h.headerSize < 40) return CodecStatus::Corrupt;
    h.width = static_cast<int32_t>(Get32(b + 18));
    h.height = static_cast<int32_t>(Get32(b + 22));
    h.topDown = h.height < 0;
    if (h.topDown) h.height = -h.height;
    return h.width > 0 && h.height > 0 ? CodecStatus::Ok : CodecStatus::Corrupt;
}

struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t maximum = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (mask) {
            shift = std::countr_zero(mask);
            maximum = (uint64_t{1} << std::popcount(mask)) - 1;
        }
    }
    uint8_t From(uint32_t value) const {
        if (!mask) return 0;
        return static_cast<uint8_t>(((value & mask) >> shift) * 255 / maximum);
    }
};

uint32_t ReadPacked(const uint8_t* p, int bitCount) {
    if (bitCount == 16) return Get16(p);
    if (bitCount == 24) return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
    return Get32(p);
}

}  // namespace

bool BmpCodec::HasSignature(const uint8_t* head, size_t size) const {
    return size >= 2 && head[0] == 'B' && head[1] == 'M';
}

bool BmpCodec::WritesExtension(std::string_view extension) const { return extension == "bmp"; }

CodecStatus BmpCodec::ReadInfo(ByteReader& reader, ImageInfo& info) const {
    info = {};
    uint8_t b[26];
    Header h;
    if (!reader.ReadExactly(b, sizeof b) || ParseHeader(b, sizeof b, h) != CodecStatus::Ok) return CodecStatus::Corrupt;
    if (h.width > std::numeric_limits<int>::max() || h.height > std::numeric_limits<int>::max())
        return CodecStatus::Corrupt;
    info.width = static_cast<int>(h.width);
    info.height = static_cast<int>(h.height);
    return CodecStatus::Ok;
}

CodecStatus BmpCodec::Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                             ImageInfo& info) const {
    out.Clear();
    info = {};
    Header h;
    if (ParseHeader(data, size, h) != CodecStatus::Ok) return CodecStatus::Corrupt;
    const CodecStatus sizeStatus = CheckAnnouncedSize(h.width, h.height, maxPixels);
    if (sizeStatus != CodecStatus::Ok) return sizeStatus;
    const uint64_t infoEnd = kFileHeader + uint64_t{h.headerSize};
    if (infoEnd > size) return CodecStatus::Corrupt;
    const uint8_t* ih = data + kFileHeader;
    uint64_t paletteStart = infoEnd;
    int paletteEntrySize = 4;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    if (h.headerSize == 12) {
        paletteEntrySize = 3;
    } else {
        h.bitCount = Get16(ih + 14);
        h.compression = Get32(ih + 16);
        h.coloursUsed = Get32(ih + 32);
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            const int count = h.compression == kAlphaBitFields ? 4 : 3;
            const uint8_t* m = ih + 40;
            if (h.headerSize == 40) {  // the masks follow the header
                if (infoEnd + 4u * count > size) return CodecStatus::Corrupt;
                paletteStart += 4u * count;
                m = data + infoEnd;
            } else if (h.headerSize < 40u + 4u * count) {
                return CodecStatus::Corrupt;
            }
            for (int i = 0; i < count; ++i) masks[i] = Get32(m + 4 * i);
            if (h.headerSize >= 56) masks[3] = Get32(ih + 52);
        } else if (h.compression != kRgb) {
            return CodecStatus::Corrupt;  // run-length and embedded JPEG/PNG are not read
        }
    }
    const int bits = h.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return CodecStatus::Corrupt;
    if (h.compression != kRgb && bits != 16 && bits != 32) return CodecStatus::Corrupt;
    if (h.compression == kRgb && bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (h.compression == kRgb && bits >= 24) {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }

    std::vector<PaletteEntry> palette;
    if (bits <= 8) {
        const uint64_t wanted = h.coloursUsed ? std::min<uint64_t>(h.coloursUsed, 256) : (1u << bits);
        const uint64_t available = paletteStart <= size ? (size - paletteStart) / paletteEntrySize : 0;
        const uint64_t count = std::min(wanted, available);
        if (count == 0) return CodecStatus::Corrupt;
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* e = data + paletteStart + i * paletteEntrySize;
            palette.push_back({e[2], e[1], e[0]});
        }
    }
    const uint64_t stride = (static_cast<uint64_t>(h.width) * bits + 31) / 32 * 4;
    if (h.dataOffset > size || stride * static_cast<uint64_t>(h.height) > size - h.dataOffset)
        return CodecStatus::Corrupt;

    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    const int channels = masks[3] ? 4 : 3;
    if (!out.Allocate(static_cast<int>(h.width), static_cast<int>(h.height), channels)) return CodecStatus::OutOfMemory;
    for (int row = 0; row < out.height; ++row) {
        const uint8_t* in = data + h.dataOffset + static_cast<uint64_t>(row) * stride;
        uint8_t* p = out.Row(h.topDown ? row : out.height - 1 - row);
        for (int x = 0; x < out.width; ++x, p += channels) {
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const size_t index = (in[x / perByte] >> shift) & ((1u << bits) - 1);
                const PaletteEntry e = index < palette.size() ? palette[index] : PaletteEntry{};
                p[0] = e.r, p[1] = e.g, p[2] = e.b;
            } else {
                const uint32_t v = ReadPacked(in + static_cast<size_t>(x) * (bits / 8), bits);
                p[0] = red.From(v), p[1] = green.From(v), p[2] = blue.From(v);
                if (channels == 4) p[3] = alpha.From(v);
            }
        }
    }
    info = {out.width, out.height, 1};
    return CodecStatus::Ok;
}

CodecStatus BmpCodec::Encode(const Raster& image, std::vector<uint8_t>& out) const {
    out.clear();
    if (image.IsEmpty()) return CodecStatus::Unsupported;
    const bool withAlpha = image.channels == 4;
    const uint32_t headerSize = withAlpha ? kV4Header : 40;
    const uint64_t stride = (static_cast<uint64_t>(image.width) * (withAlpha ? 32 : 24) + 31) / 32 * 4;
    const uint64_t dataOffset = kFileHeader + headerSize;
    const uint64_t fileSize = dataOffset + stride * static_cast<uint64_t>(image.height);
    if (fileSize > std::numeric_limits<uint32_t>::max() || image.width > std::numeric_limits<int32_t>::max())
        return CodecStatus::Unsupported;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(fileSize));
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(dataOffset));
    Put32(out, headerSize);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));  // bottom-up
    Put16(out, 1);
    Put16(out, withAlpha ? 32 : 24);
    Put32(out, withAlpha ? kBitFields : kRgb);
    Put32(out, static_cast<uint32_t>(stride * static_cast<uint64_t>(image.height)));
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    if (withAlpha) {
        Put32(out, 0x00FF0000u);
        Put32(out, 0x0000FF00u);
        Put32(out, 0x000000FFu);
        Put32(out, 0xFF000000u);
        Put32(out, 0x73524742u);  // 'sRGB'
        out.insert(out.end(), kV4Header - 60, 0);  // end points and gamma, unused for sRGB
    }
    out.resize(static_cast<size_t>(fileSize));  // also zeroes the row padding
    uint8_t* row = out.data() + dataOffset;
    for (int y = image.height - 1; y >= 0; --y, row += stride) {
        const uint8_t* p = image.Row(y);
        uint8_t* q = row;
        for (int x = 0; x < image.width; ++x, p += image.channels) {
            *q++ = p[2];
            *q++ = p[1];
            *q++ = p[0];
            if (withAlpha) *q++ = p[3];
        }
    }
    return CodecStatus::Ok;
}

}  // namespace trackalbum
