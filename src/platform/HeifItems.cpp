#include "platform/HeifItems.h"

#include <algorithm>
#include <set>

#include "platform/CodedSizes.h"

namespace trackalbum {

namespace {

constexpr uint32_t FourCc(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8 | uint8_t(name[3]);
}

constexpr uint32_t Padding = 64;         // the most a coder pads a picture by, per side
constexpr size_t MaxHeaderSize = 4096;  // of one SPS or sequence header read whole

// Reads big-endian fields from one box's payload; every read stays inside it.
class Cursor {
public:
    Cursor(ByteReader& reader, uint64_t position, uint64_t end) : reader_(reader), position_(position), end_(end) {}

    uint64_t Position() const { return position_; }
    bool AtEnd() const { return position_ >= end_; }
    // An unsigned number of `size` bytes (0 to 8; 0 gives 0).
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

// Calls `each` for every box inside [start, end); false when one cannot be read.
template <class Each>
bool ForEachBox(ByteReader& reader, uint64_t start, uint64_t end, Each each) {
    Cursor cursor(reader, start, end);
    while (!cursor.AtEnd()) {
        Box box;
        if (!NextBox(cursor, reader, box) || !each(box)) return false;
    }
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

// One item's data as a stream over its extents.
class ItemStream {
public:
    ItemStream(ByteReader& reader, const Location& location, const Box* idat) : reader_(reader), location_(location) {
        valid_ = location.method == 0 || (location.method == 1 && idat);
        origin_ = location.method == 1 && idat ? idat->start : 0;
        limit_ = location.method == 1 && idat ? idat->end : reader.GetSize();
    }

    bool Valid() const { return valid_; }
    bool AtEnd() { return !Locate(); }
    // Reads or skips across extents; false when the item ends first.
    bool Read(uint8_t* out, size_t size) { return Move(out, size); }
    bool Skip(uint64_t size) { return Move(nullptr, size); }
    uint64_t Remaining() {
        uint64_t total = 0;
        for (size_t e = extent_; valid_ && e < location_.extents.size(); ++e) total += Length(e) - (e == extent_ ? within_ : 0);
        return total;
    }

private:
    uint64_t Start(size_t e) const { return origin_ + location_.base + location_.extents[e].offset; }
    uint64_t Length(size_t e) const {
        const uint64_t start = Start(e);
        if (start < origin_ || start > limit_) return 0;
        return location_.extents[e].length == 0 ? limit_ - start : std::min(location_.extents[e].length, limit_ - start);
    }
    // Moves to the first extent with bytes left; false at the end.
    bool Locate() {
        while (valid_ && extent_ < location_.extents.size() && within_ >= Length(extent_)) ++extent_, within_ = 0;
        return valid_ && extent_ < location_.extents.size();
    }
    bool Move(uint8_t* out, uint64_t size) {
        while (size > 0) {
            if (!Locate()) return false;
            const uint64_t take = std::min(size, Length(extent_) - within_);
            if (out && (!reader_.Seek(Start(extent_) + within_) || !reader_.ReadExactly(out, static_cast<size_t>(take)))) return false;
            if (out) out += take;
            within_ += take;
            size -= take;
        }
        return true;
    }

    ByteReader& reader_;
    const Location& location_;
    bool valid_ = false;
    uint64_t origin_ = 0, limit_ = 0;
    size_t extent_ = 0;
    uint64_t within_ = 0;
};

struct Property {
    uint32_t type = 0;
    CodedSize size;               // ispe, or the largest coder size of an hvcC or av1C
    uint32_t nalLengthSize = 4;   // hvcC
};

struct ItemTable {
    std::map<uint32_t, uint32_t> types;
    std::map<uint32_t, Location> locations;
    std::vector<Property> properties;
    std::map<uint32_t, std::vector<uint32_t>> associations;  // 1-based property indices
    Box idat;
};

bool IsDerived(uint32_t type) { return type == FourCc("grid") || type == FourCc("iovl"); }
bool IsCoded(uint32_t type) { return type == FourCc("hvc1") || type == FourCc("av01"); }

uint64_t Area(const CodedSize& size) { return uint64_t{size.width} * size.height; }
void KeepLarger(CodedSize& kept, const std::optional<CodedSize>& found) {
    if (found && Area(*found) > Area(kept)) kept = *found;
}

bool ReadItemTypes(ByteReader& reader, const Box& iinf, ItemTable& table) {
    Cursor cursor(reader, iinf.start, iinf.end);
    uint64_t version = 0;
    // The entry count is not needed: the entries are boxes up to the end of this one.
    if (!cursor.Read(1, version) || !cursor.Skip(3) || !cursor.Skip(version == 0 ? 2 : 4)) return false;
    return ForEachBox(reader, cursor.Position(), iinf.end, [&](const Box& infe) {
        if (infe.type != FourCc("infe")) return true;
        Cursor entry(reader, infe.start, infe.end);
        uint64_t entryVersion = 0, id = 0, type = 0;
        if (!entry.Read(1, entryVersion) || !entry.Skip(3)) return false;
        if (entryVersion < 2) return true;  // no item type
        if (!entry.Read(entryVersion == 2 ? 2 : 4, id) || !entry.Skip(2) || !entry.Read(4, type)) return false;
        table.types.emplace(static_cast<uint32_t>(id), static_cast<uint32_t>(type));
        return true;
    });
}

bool ValidFieldSize(uint64_t size) { return size == 0 || size == 4 || size == 8; }

bool ReadLocations(ByteReader& reader, const Box& iloc, ItemTable& table) {
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
        const auto type = table.types.find(static_cast<uint32_t>(id));
        const bool keep = type != table.types.end() && (IsDerived(type->second) || IsCoded(type->second)) &&
                          !table.locations.count(static_cast<uint32_t>(id));
        for (uint64_t e = 0; e < extents; ++e) {
            Extent extent;
            if (!cursor.Skip(indexSize) || !cursor.Read(offsetSize, extent.offset) || !cursor.Read(lengthSize, extent.length)) return false;
            if (keep) location.extents.push_back(extent);
        }
        if (keep) table.locations[static_cast<uint32_t>(id)] = std::move(location);
    }
    return true;
}

// The size a header of `size` bytes at the stream gives, which is then passed: an HEVC NAL
// unit when it is an SPS (its first MaxHeaderSize bytes), or an AV1 sequence header payload.
template <class Source>
std::optional<CodedSize> ReadHeader(Source& source, uint64_t size, bool hevc) {
    constexpr uint8_t SpsType = 33;
    std::vector<uint8_t> bytes(static_cast<size_t>(std::min<uint64_t>(size, hevc ? 2 : MaxHeaderSize)));
    if (!source.Read(bytes.data(), bytes.size())) return std::nullopt;
    if (hevc && (bytes.size() < 2 || ((bytes[0] >> 1) & 0x3F) != SpsType)) {
        source.Skip(size - bytes.size());
        return std::nullopt;
    }
    if (hevc) {
        bytes.resize(static_cast<size_t>(std::min<uint64_t>(size, MaxHeaderSize)));
        if (!source.Read(bytes.data() + 2, bytes.size() - 2)) return std::nullopt;
    }
    if (!source.Skip(size - bytes.size())) return std::nullopt;
    return hevc ? ReadHevcSpsSize(bytes.data(), bytes.size()) : ReadAv1SequenceHeaderSize(bytes.data(), bytes.size());
}

// Length-prefixed NAL units (HEVC data): the largest SPS size among them.
template <class Source>
bool ScanNalUnits(Source& source, uint32_t lengthSize, CodedSize& largest) {
    while (!source.AtEnd()) {
        uint8_t prefix[4] = {};
        if (lengthSize < 1 || lengthSize > 4 || !source.Read(prefix, lengthSize)) return false;
        uint64_t length = 0;
        for (uint32_t i = 0; i < lengthSize; ++i) length = length << 8 | prefix[i];
        KeepLarger(largest, ReadHeader(source, length, true));
    }
    return true;
}

// AV1 OBUs: the largest sequence header size among them. An OBU without a size field runs
// to the end of the data.
template <class Source>
bool ScanObus(Source& source, CodedSize& largest) {
    constexpr uint32_t SequenceHeader = 1;
    while (!source.AtEnd()) {
        uint8_t header = 0, extension = 0;
        if (!source.Read(&header, 1) || ((header >> 2) & 1 && !source.Read(&extension, 1))) return false;
        uint64_t size = source.Remaining();
        if ((header >> 1) & 1) {
            size = 0;
            for (int i = 0, more = 1; more; ++i) {
                uint8_t byte = 0;
                if (i == 8 || !source.Read(&byte, 1)) return false;
                size |= uint64_t{byte & 0x7Fu} << (7 * i);
                more = byte & 0x80;
            }
        }
        if (((header >> 3) & 15) == SequenceHeader) KeepLarger(largest, ReadHeader(source, size, false));
        else if (!source.Skip(size)) return false;
    }
    return true;
}

// A box payload read like an item's data.
class BoxStream {
public:
    BoxStream(ByteReader& reader, uint64_t start, uint64_t end) : cursor_(reader, start, end), reader_(reader), end_(end) {}
    bool AtEnd() const { return cursor_.AtEnd(); }
    uint64_t Remaining() const { return end_ - cursor_.Position(); }
    bool Read(uint8_t* out, size_t size) {
        const uint64_t at = cursor_.Position();
        return cursor_.Skip(size) && reader_.Seek(at) && reader_.ReadExactly(out, size);
    }
    bool Skip(uint64_t size) { return cursor_.Skip(size); }

private:
    Cursor cursor_;
    ByteReader& reader_;
    uint64_t end_;
};

bool ReadProperties(ByteReader& reader, const Box& ipco, ItemTable& table) {
    return ForEachBox(reader, ipco.start, ipco.end, [&](const Box& box) {
        Property property{box.type, {}, 4};
        Cursor cursor(reader, box.start, box.end);
        uint64_t width = 0, height = 0, lengthSize = 0, arrays = 0;
        if (box.type == FourCc("ispe")) {
            if (!cursor.Skip(4) || !cursor.Read(4, width) || !cursor.Read(4, height)) return false;
            property.size = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
        } else if (box.type == FourCc("hvcC")) {
            // 21 bytes of profile and format, the NAL length size, then arrays of NAL units.
            if (!cursor.Skip(21) || !cursor.Read(1, lengthSize) || !cursor.Read(1, arrays)) return false;
            property.nalLengthSize = static_cast<uint32_t>(lengthSize & 3) + 1;
            for (uint64_t a = 0; a < arrays; ++a) {
                uint64_t units = 0;
                if (!cursor.Skip(1) || !cursor.Read(2, units)) return false;
                for (uint64_t u = 0; u < units; ++u) {
                    uint64_t length = 0;
                    if (!cursor.Read(2, length)) return false;
                    BoxStream unit(reader, cursor.Position(), cursor.Position() + length);
                    if (!cursor.Skip(length)) return false;
                    KeepLarger(property.size, ReadHeader(unit, length, true));
                }
            }
        } else if (box.type == FourCc("av1C")) {
            BoxStream obus(reader, box.start + std::min<uint64_t>(4, box.end - box.start), box.end);
            if (!ScanObus(obus, property.size)) return false;
        }
        table.properties.push_back(property);
        return true;
    });
}

bool ReadAssociations(ByteReader& reader, const Box& ipma, ItemTable& table) {
    Cursor cursor(reader, ipma.start, ipma.end);
    uint64_t version = 0, flags = 0, count = 0;
    if (!cursor.Read(1, version) || !cursor.Read(3, flags) || !cursor.Read(4, count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t id = 0, associations = 0;
        if (!cursor.Read(version < 1 ? 2 : 4, id) || !cursor.Read(1, associations)) return false;
        std::vector<uint32_t>& indices = table.associations[static_cast<uint32_t>(id)];
        for (uint64_t a = 0; a < associations; ++a) {
            uint64_t entry = 0;
            if (!cursor.Read(flags & 1 ? 2 : 1, entry)) return false;
            indices.push_back(static_cast<uint32_t>(entry & (flags & 1 ? 0x7FFF : 0x7F)));
        }
    }
    return true;
}

// Width times height from a grid (version, flags, rows - 1, columns - 1, then the size) or an
// overlay (version, flags, four 16-bit fill values, then the size); 32-bit sizes when flag
// bit 0 is set.
std::optional<uint64_t> DeclaredPixels(ByteReader& reader, uint32_t type, const Location& location, const Box* idat) {
    ItemStream stream(reader, location, idat);
    uint8_t head[18];
    if (!stream.Valid() || !stream.Read(head, 2)) return std::nullopt;
    const size_t field = head[1] & 1 ? 4 : 2;
    const size_t before = type == FourCc("grid") ? 4 : 10;
    if (!stream.Read(head + 2, before - 2 + 2 * field)) return std::nullopt;
    uint64_t width = 0, height = 0;
    for (size_t i = 0; i < field; ++i) {
        width = width << 8 | head[before + i];
        height = height << 8 | head[before + field + i];
    }
    return width * height;
}

bool Fits(const CodedSize& coded, const CodedSize& ispe) {
    const auto within = [&](uint64_t w, uint64_t h) { return coded.width <= w + Padding && coded.height <= h + Padding; };
    return within(ispe.width, ispe.height) || within(ispe.height, ispe.width);
}

}  // namespace

std::optional<HeifItemSizes> ReadHeifItemSizes(ByteReader& reader) {
    Box meta;
    ForEachBox(reader, 0, reader.GetSize(), [&](const Box& box) {
        if (box.type == FourCc("meta")) meta = box;
        return box.type != FourCc("meta");  // the walk ends there
    });
    if (!meta.type) return std::nullopt;
    Box iinf, iloc, iprp;
    ItemTable table;
    if (!ForEachBox(reader, meta.start + std::min<uint64_t>(4, meta.end - meta.start), meta.end, [&](const Box& child) {
            for (auto [type, found] : {std::pair{FourCc("iinf"), &iinf}, {FourCc("iloc"), &iloc}, {FourCc("iprp"), &iprp},
                                       {FourCc("idat"), &table.idat}}) {
                if (child.type == type && !found->type) *found = child;
            }
            return true;
        })) {
        return std::nullopt;
    }
    if (!iinf.type || !iloc.type || !ReadItemTypes(reader, iinf, table) || !ReadLocations(reader, iloc, table)) return std::nullopt;
    if (iprp.type && !ForEachBox(reader, iprp.start, iprp.end, [&](const Box& box) {
            if (box.type == FourCc("ipco")) return ReadProperties(reader, box, table);
            if (box.type == FourCc("ipma")) return ReadAssociations(reader, box, table);
            return true;
        })) {
        return std::nullopt;
    }
    HeifItemSizes sizes;
    const Box* idat = table.idat.type ? &table.idat : nullptr;
    for (const auto& [id, type] : table.types) {
        if (!IsDerived(type) && !IsCoded(type)) continue;
        const auto location = table.locations.find(id);
        if (location == table.locations.end()) return std::nullopt;
        if (IsDerived(type)) {
            const std::optional<uint64_t> pixels = DeclaredPixels(reader, type, location->second, idat);
            if (!pixels) return std::nullopt;
            sizes.Derived[id] = *pixels;
            continue;
        }
        CodedSize ispe, coded;
        uint32_t nalLengthSize = 4;
        for (uint32_t index : table.associations[id]) {
            if (index == 0 || index > table.properties.size()) continue;
            const Property& property = table.properties[index - 1];
            if (property.type == FourCc("ispe")) ispe = property.size;
            else KeepLarger(coded, property.size);
            if (property.type == FourCc("hvcC")) nalLengthSize = property.nalLengthSize;
        }
        ItemStream data(reader, location->second, idat);
        if (!data.Valid()) return std::nullopt;
        if (type == FourCc("hvc1") ? !ScanNalUnits(data, nalLengthSize, coded) : !ScanObus(data, coded)) return std::nullopt;
        if (Area(ispe) > 0 && !Fits(coded, ispe)) sizes.Oversized.push_back(id);
        sizes.CodedTotal += std::max(Area(coded), Area(ispe));
    }
    return sizes;
}

}  // namespace trackalbum
