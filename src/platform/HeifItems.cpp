#include "platform/HeifItems.h"

#include <algorithm>
#include <vector>

namespace trackalbum {

namespace {

constexpr uint32_t FourCc(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8 | uint8_t(name[3]);
}

// Reads big-endian fields from one box's payload; every read stays inside it.
class Cursor {
public:
    Cursor(ByteReader& reader, uint64_t position, uint64_t end) : reader_(reader), position_(position), end_(end) {}

    uint64_t Position() const { return position_; }
    bool AtEnd() const { return position_ >= end_; }
    // An unsigned number of `size` bytes (0, 2, 4 or 8; 0 gives 0).
    bool Read(size_t size, uint64_t& value) {
        uint8_t bytes[8];
        if (size > sizeof bytes || end_ - position_ < size || !reader_.Seek(position_) || !reader_.ReadExactly(bytes, size)) return false;
        position_ += size;
        value = 0;
        for (size_t i = 0; i < size; ++i) value = value << 8 | bytes[i];
        return true;
    }
    bool Skip(uint64_t size) {
        if (end_ - position_ < size) return false;
        position_ += size;
        return true;
    }

private:
    ByteReader& reader_;
    uint64_t position_;
    uint64_t end_;
};

struct Box {
    uint32_t type = 0;
    uint64_t start = 0;  // of the payload
    uint64_t end = 0;
};

// The box at the cursor, which then stands after it.
bool NextBox(Cursor& cursor, ByteReader& reader, Box& box) {
    const uint64_t at = cursor.Position();
    uint64_t size = 0, type = 0;
    if (!cursor.Read(4, size) || !cursor.Read(4, type)) return false;
    if (size == 1 && !cursor.Read(8, size)) return false;
    const uint64_t header = cursor.Position() - at;
    if (size == 0) size = reader.GetSize() - at;  // to the end of the file
    if (size < header || !cursor.Skip(size - header)) return false;
    box = {static_cast<uint32_t>(type), at + header, at + size};
    return true;
}

struct Extent {
    uint64_t offset = 0;
    uint64_t length = 0;
};

struct Location {
    uint64_t method = 0;  // 0: in the file, 1: in the idat box
    uint64_t base = 0;
    std::vector<Extent> extents;
};

// Item IDs of grid and overlay items, from iinf (infe of version 2 and 3 carry the type).
bool ReadDerivedItems(ByteReader& reader, const Box& iinf, std::map<uint32_t, uint32_t>& types) {
    Cursor cursor(reader, iinf.start, iinf.end);
    uint64_t version = 0;
    // The entry count is not needed: the entries are boxes up to the end of this one.
    if (!cursor.Read(1, version) || !cursor.Skip(3) || !cursor.Skip(version == 0 ? 2 : 4)) return false;
    while (!cursor.AtEnd()) {
        Box infe;
        if (!NextBox(cursor, reader, infe)) return false;
        if (infe.type != FourCc("infe")) continue;
        Cursor entry(reader, infe.start, infe.end);
        uint64_t entryVersion = 0, id = 0, type = 0;
        if (!entry.Read(1, entryVersion) || !entry.Skip(3) || entryVersion < 2) continue;
        if (!entry.Read(entryVersion == 2 ? 2 : 4, id) || !entry.Skip(2) || !entry.Read(4, type)) return false;
        if (type == FourCc("grid") || type == FourCc("iovl")) types[static_cast<uint32_t>(id)] = static_cast<uint32_t>(type);
    }
    return true;
}

bool ValidFieldSize(uint64_t size) { return size == 0 || size == 4 || size == 8; }

bool ReadLocations(ByteReader& reader, const Box& iloc, const std::map<uint32_t, uint32_t>& wanted,
                   std::map<uint32_t, Location>& locations) {
    Cursor cursor(reader, iloc.start, iloc.end);
    uint64_t version = 0, sizes = 0, moreSizes = 0, count = 0;
    if (!cursor.Read(1, version) || !cursor.Skip(3) || version > 2 || !cursor.Read(1, sizes) || !cursor.Read(1, moreSizes)) return false;
    const uint64_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = moreSizes >> 4;
    const uint64_t indexSize = version >= 1 ? moreSizes & 15 : 0;
    if (!ValidFieldSize(offsetSize) || !ValidFieldSize(lengthSize) || !ValidFieldSize(baseSize) || !ValidFieldSize(indexSize)) return false;
    if (!cursor.Read(version < 2 ? 2 : 4, count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t id = 0, extents = 0;
        Location location;
        if (!cursor.Read(version < 2 ? 2 : 4, id)) return false;
        if (version >= 1 && !cursor.Read(2, location.method)) return false;
        location.method &= 15;
        if (!cursor.Skip(2) || !cursor.Read(baseSize, location.base) || !cursor.Read(2, extents)) return false;
        const bool keep = wanted.count(static_cast<uint32_t>(id)) && !locations.count(static_cast<uint32_t>(id));
        for (uint64_t e = 0; e < extents; ++e) {
            Extent extent;
            if (!cursor.Skip(indexSize) || !cursor.Read(offsetSize, extent.offset) || !cursor.Read(lengthSize, extent.length)) return false;
            if (keep) location.extents.push_back(extent);
        }
        if (keep) locations[static_cast<uint32_t>(id)] = std::move(location);
    }
    return true;
}

// The first `size` bytes of an item's data, gathered over its extents.
bool ReadItemStart(ByteReader& reader, const Location& location, const Box* idat, uint8_t* out, size_t size) {
    if (location.method > 1 || (location.method == 1 && !idat)) return false;
    const uint64_t origin = location.method == 1 ? idat->start : 0;
    const uint64_t limit = location.method == 1 ? idat->end : reader.GetSize();
    size_t done = 0;
    for (const Extent& extent : location.extents) {
        if (done == size) break;
        const uint64_t start = origin + location.base + extent.offset;
        if (start < origin || start > limit) return false;
        const uint64_t available = extent.length == 0 ? limit - start : extent.length;
        if (available > limit - start) return false;
        const size_t take = static_cast<size_t>(std::min<uint64_t>(available, size - done));
        if (!reader.Seek(start) || !reader.ReadExactly(out + done, take)) return false;
        done += take;
    }
    return done == size;
}

// Width times height from a grid (version, flags, rows - 1, columns - 1, then the size) or an
// overlay (version, flags, four 16-bit fill values, then the size); 32-bit sizes when flag
// bit 0 is set.
std::optional<uint64_t> DeclaredPixels(ByteReader& reader, uint32_t type, const Location& location, const Box* idat) {
    const size_t before = type == FourCc("grid") ? 4 : 10;
    uint8_t head[18];
    if (!ReadItemStart(reader, location, idat, head, 2)) return std::nullopt;
    const size_t field = head[1] & 1 ? 4 : 2;
    if (!ReadItemStart(reader, location, idat, head, before + 2 * field)) return std::nullopt;
    uint64_t width = 0, height = 0;
    for (size_t i = 0; i < field; ++i) {
        width = width << 8 | head[before + i];
        height = height << 8 | head[before + field + i];
    }
    return width * height;
}

}  // namespace

std::optional<std::map<uint32_t, uint64_t>> ReadHeifDerivedSizes(ByteReader& reader) {
    Cursor file(reader, 0, reader.GetSize());
    Box box;
    while (NextBox(file, reader, box) && box.type != FourCc("meta")) {
    }
    if (box.type != FourCc("meta")) return std::nullopt;
    Cursor meta(reader, box.start, box.end);
    if (!meta.Skip(4)) return std::nullopt;
    Box iinf, iloc, idat;
    while (!meta.AtEnd()) {
        Box child;
        if (!NextBox(meta, reader, child)) return std::nullopt;
        if (child.type == FourCc("iinf") && !iinf.type) iinf = child;
        if (child.type == FourCc("iloc") && !iloc.type) iloc = child;
        if (child.type == FourCc("idat") && !idat.type) idat = child;
    }
    std::map<uint32_t, uint32_t> types;
    if (!iinf.type || !ReadDerivedItems(reader, iinf, types)) return std::nullopt;
    std::map<uint32_t, uint64_t> sizes;
    if (types.empty()) return sizes;
    std::map<uint32_t, Location> locations;
    if (!iloc.type || !ReadLocations(reader, iloc, types, locations)) return std::nullopt;
    for (const auto& [id, type] : types) {
        const auto location = locations.find(id);
        if (location == locations.end()) return std::nullopt;
        const std::optional<uint64_t> pixels = DeclaredPixels(reader, type, location->second, idat.type ? &idat : nullptr);
        if (!pixels) return std::nullopt;
        sizes[id] = *pixels;
    }
    return sizes;
}

}  // namespace trackalbum
