#include "photos/ExifFacts.h"

#include <array>
#include <cmath>
#include <string_view>

#include "platform/Errors.h"

namespace trackalbum {

namespace {

constexpr size_t EntrySize = 12;
constexpr uint16_t RationalType = 5;
constexpr uint16_t SignedRationalType = 10;  // what some phones write for GPS angles

struct Entry {
    uint16_t type = 0;
    uint32_t count = 0;
    size_t field = 0;  // where the entry's 4-byte value field lies
};

class Tiff {
public:
    Tiff(const uint8_t* data, size_t size)
        : data_(data), size_(size), littleEndian_(size >= 2 && data[0] == 'I' && data[1] == 'I') {}

    bool Holds(uint64_t position, uint64_t length) const { return position <= size_ && length <= size_ - position; }
    uint16_t Get16(size_t position) const {
        const uint8_t* p = data_ + position;
        return littleEndian_ ? static_cast<uint16_t>(p[0] | p[1] << 8) : static_cast<uint16_t>(p[0] << 8 | p[1]);
    }
    uint32_t Get32(size_t position) const {
        const uint8_t* p = data_ + position;
        const uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
        return littleEndian_ ? (b0 | b1 << 8 | b2 << 16 | b3 << 24) : (b0 << 24 | b1 << 16 | b2 << 8 | b3);
    }
    const uint8_t* At(size_t position) const { return data_ + position; }

    // The last entry of each of `tags` in the directory at `offset`; the walk ends where the
    // data does.
    template <size_t N>
    std::array<std::optional<Entry>, N> ReadDirectory(uint64_t offset, const std::array<uint16_t, N>& tags) const {
        std::array<std::optional<Entry>, N> found;
        if (!Holds(offset, 2)) return found;
        const uint32_t count = Get16(offset);
        for (uint64_t position = offset + 2, i = 0; i < count && Holds(position, EntrySize); ++i, position += EntrySize) {
            const uint16_t tag = Get16(position);
            for (size_t t = 0; t < N; ++t) {
                if (tags[t] == tag) found[t] = Entry{Get16(position + 2), Get32(position + 4), position + 8};
            }
        }
        return found;
    }

    // Where the entry's `unit`-byte values lie: in the value field when they fit, else at the
    // offset it holds. Nothing when they lie outside the data.
    std::optional<size_t> Values(const Entry& entry, uint64_t unit) const {
        const uint64_t length = uint64_t{entry.count} * unit;
        const uint64_t position = length <= 4 ? entry.field : Get32(entry.field);
        if (!Holds(position, length)) return std::nullopt;
        return static_cast<size_t>(position);
    }

    // A text up to its first zero byte. A date-time's value field is always its offset, as
    // the standard's 20-byte texts never fit into it.
    std::optional<std::string_view> Text(const Entry& entry, bool atOffset = false) const {
        const std::optional<size_t> position = atOffset ? OffsetValues(entry) : Values(entry, 1);
        if (!position) return std::nullopt;
        std::string_view text(reinterpret_cast<const char*>(At(*position)), entry.count);
        return text.substr(0, text.find('\0'));
    }

private:
    std::optional<size_t> OffsetValues(const Entry& entry) const {
        const uint32_t offset = Get32(entry.field);
        if (!Holds(offset, entry.count)) return std::nullopt;
        return static_cast<size_t>(offset);
    }

    const uint8_t* data_;
    size_t size_;
    bool littleEndian_;
};

std::optional<TimeValue> TimeOf(const Tiff& tiff, const std::optional<Entry>& entry) {
    if (!entry) return std::nullopt;
    const std::optional<std::string_view> text = tiff.Text(*entry, true);
    if (!text) return std::nullopt;
    try {
        return ParseExifDateTime(*text);
    } catch (const InvalidArgumentError&) {
        return std::nullopt;  // no representable time: the next tag is tried
    }
}

// Degrees, minutes and seconds as three rationals; nothing when a denominator is 0.
std::optional<double> AngleOf(const Tiff& tiff, const std::optional<Entry>& entry) {
    if (!entry || (entry->type != RationalType && entry->type != SignedRationalType) || entry->count < 3) return std::nullopt;
    const std::optional<size_t> position = tiff.Values(*entry, 8);
    if (!position) return std::nullopt;
    const bool isSigned = entry->type == SignedRationalType;
    const auto number = [&](size_t at) {
        const uint32_t bits = tiff.Get32(at);
        return isSigned ? static_cast<double>(static_cast<int32_t>(bits)) : static_cast<double>(bits);
    };
    double parts[3];
    for (size_t i = 0; i < 3; ++i) {
        const double denominator = number(*position + 8 * i + 4);
        if (denominator == 0) return std::nullopt;
        parts[i] = number(*position + 8 * i) / denominator;
    }
    return parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
}

char FirstLetter(const Tiff& tiff, const std::optional<Entry>& entry) {
    if (!entry) return '\0';
    const std::optional<std::string_view> text = tiff.Text(*entry);
    return text && !text->empty() ? (*text)[0] : '\0';
}

std::optional<GpsPosition> PositionOf(const Tiff& tiff, uint64_t offset) {
    const auto gps = tiff.ReadDirectory(offset, std::array<uint16_t, 5>{0x0001, 0x0002, 0x0003, 0x0004, 0x0009});
    const std::optional<double> latitude = AngleOf(tiff, gps[1]);
    const std::optional<double> longitude = AngleOf(tiff, gps[3]);
    if (!latitude || !longitude || FirstLetter(tiff, gps[4]) == 'V') return std::nullopt;
    // A missing reference counts as north or east.
    GpsPosition position{FirstLetter(tiff, gps[0]) == 'S' ? -*latitude : *latitude,
                         FirstLetter(tiff, gps[2]) == 'W' ? -*longitude : *longitude};
    if (std::fabs(position.Latitude) > 90.0 || std::fabs(position.Longitude) > 180.0) return std::nullopt;
    // What a receiver without a fix writes, not a place in the Gulf of Guinea.
    if (position.Latitude == 0.0 && position.Longitude == 0.0) return std::nullopt;
    return position;
}

}  // namespace

ExifFacts ReadExifFacts(const uint8_t* data, size_t size) {
    ExifFacts facts;
    const Tiff tiff(data, size);
    if (!tiff.Holds(4, 4)) return facts;
    const auto ifd0 = tiff.ReadDirectory(tiff.Get32(4), std::array<uint16_t, 3>{0x0132, 0x8769, 0x8825});
    if (ifd0[1]) {
        const auto exif = tiff.ReadDirectory(tiff.Get32(ifd0[1]->field), std::array<uint16_t, 2>{0x9003, 0x9004});
        facts.TakenTime = TimeOf(tiff, exif[0]);
        if (!facts.TakenTime) facts.TakenTime = TimeOf(tiff, exif[1]);
    }
    if (!facts.TakenTime) facts.TakenTime = TimeOf(tiff, ifd0[0]);
    if (ifd0[2]) facts.Position = PositionOf(tiff, tiff.Get32(ifd0[2]->field));
    return facts;
}

}  // namespace trackalbum
