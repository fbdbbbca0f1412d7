#pragma once
// The sizes a HEIF file's items declare, read before anything is decoded. libheif allocates
// a grid or overlay picture by the size in the item's own data, and its decoders allocate a
// coded picture by the size in the coder's own headers; neither need agree with the size the
// item's ispe property gives, so a file of a few kilobytes could make them fill gigabytes.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/ImageCodec.h"

namespace trackalbum {

struct HeifItemSizes {
    // Pixels that each grid and overlay item declares in its own data, by item ID.
    std::map<uint32_t, uint64_t> Derived;
    // Coded items (HEVC, AV1) whose coder headers, in their configuration or in their data,
    // declare a picture larger than their ispe property, either way round, with 64 pixels a
    // side to spare for the coder's padding.
    std::vector<uint32_t> Oversized;
    // Pixels of every coded picture together (coder size, or ispe where no header gives
    // one): the most that decoding them all could hold at once.
    uint64_t CodedTotal = 0;
};

// Nothing when the meta box, its item list, its item locations or its properties cannot be
// read, or an item's data lies outside the file.
std::optional<HeifItemSizes> ReadHeifItemSizes(ByteReader& reader);

}  // namespace trackalbum
