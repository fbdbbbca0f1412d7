#pragma once
// The sizes that a HEIF file's derived pictures (grids of tiles, overlays) declare in their
// own data. libheif allocates such a picture by that size, not by the size the item's ispe
// property gives, so a file of a few kilobytes could make it fill gigabytes; these sizes are
// checked before anything is decoded.
#include <cstdint>
#include <map>
#include <optional>

#include "platform/ImageCodec.h"

namespace trackalbum {

// Pixels declared by each grid and overlay item, by item ID; empty for a file without them.
// Nothing when the meta box, its item list or its item locations cannot be read, or a
// derived item's data lies outside the file.
std::optional<std::map<uint32_t, uint64_t>> ReadHeifDerivedSizes(ByteReader& reader);

}  // namespace trackalbum
