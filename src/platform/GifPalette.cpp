#include "platform/GifPalette.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace trackalbum {

namespace {

constexpr int kMaxColours = 256;
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 255 / (kCubeLevels - 1);  // 51

uint32_t Key(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16; }

PaletteColour FromKey(uint32_t key) {
    return {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key >> 16)};
}

bool IsTransparent(const Raster& image, const uint8_t* p) { return image.channels == 4 && p[3] < 128; }

// A small open-addressing set of colours that gives up beyond `limit` entries.
class ExactColours {
public:
    explicit ExactColours(int limit) : limit_(limit) { slots_.fill(kEmpty); }

    // The colour's index, or -1 once there are more colours than the limit.
    int IndexOf(uint32_t key, std::vector<PaletteColour>& colours, int base) {
        size_t slot = (key * 2654435761u) >> 22;  // 10 bits
        for (;;) {
            if (slots_[slot] == kEmpty) {
                if (count_ == limit_) return -1;
                slots_[slot] = key;
                index_[slot] = static_cast<uint16_t>(base + count_++);
                colours.push_back(FromKey(key));
                return index_[slot];
            }
            if (slots_[slot] == key) return index_[slot];
            slot = (slot + 1) & (slots_.size() - 1);
        }
    }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    std::array<uint32_t, 1024> slots_;
    std::array<uint16_t, 1024> index_{};
    int limit_;
    int count_ = 0;
};

bool TryExact(const Raster& image, uint8_t* indices, GifPalette& palette) {
    const int base = palette.transparentIndex >= 0 ? 1 : 0;
    ExactColours set(kMaxColours - base);
    uint8_t* out = indices;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += image.channels) {
            if (IsTransparent(image, p)) {
                *out++ = 0;
                continue;
            }
            const int index = set.IndexOf(Key(p), palette.colours, base);
            if (index < 0) return false;
            *out++ = static_cast<uint8_t>(index);
        }
    }
    return true;
}

int Distance(PaletteColour a, uint32_t key) {
    const PaletteColour b = FromKey(key);
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

void Reduce(const Raster& image, uint8_t* indices, GifPalette& palette) {
    std::unordered_map<uint32_t, uint32_t> counts;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += image.channels)
            if (!IsTransparent(image, p)) ++counts[Key(p)];
    }
    const int base = static_cast<int>(palette.colours.size());
    for (int b = 0; b < kCubeLevels; ++b)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int r = 0; r < kCubeLevels; ++r)
                palette.colours.push_back({static_cast<uint8_t>(r * kCubeStep), static_cast<uint8_t>(g * kCubeStep),
                                           static_cast<uint8_t>(b * kCubeStep)});
    std::vector<std::pair<uint32_t, uint32_t>> others;  // (count, colour) off the cube
    for (const auto& [key, count] : counts) {
        const PaletteColour c = FromKey(key);
        if (c.r % kCubeStep || c.g % kCubeStep || c.b % kCubeStep) others.push_back({count, key});
    }
    const size_t extra = std::min(others.size(), static_cast<size_t>(kMaxColours) - palette.colours.size());
    std::partial_sort(others.begin(), others.begin() + static_cast<ptrdiff_t>(extra), others.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first || (a.first == b.first && a.second < b.second); });
    const int extraBase = static_cast<int>(palette.colours.size());
    for (size_t i = 0; i < extra; ++i) palette.colours.push_back(FromKey(others[i].second));

    // Nearest entry for every colour: its cube neighbour, or a closer extra entry.
    for (auto& [key, index] : counts) {
        const PaletteColour c = FromKey(key);
        const int cube = base + (c.r + kCubeStep / 2) / kCubeStep + kCubeLevels * ((c.g + kCubeStep / 2) / kCubeStep) +
                         kCubeLevels * kCubeLevels * ((c.b + kCubeStep / 2) / kCubeStep);
        int best = cube;
        int bestDistance = Distance(palette.colours[static_cast<size_t>(cube)], key);
        for (int i = extraBase; i < static_cast<int>(palette.colours.size()) && bestDistance > 0; ++i) {
            const int d = Distance(palette.colours[static_cast<size_t>(i)], key);
            if (d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        index = static_cast<uint32_t>(best);
    }
    uint8_t* out = indices;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += image.channels)
            *out++ = IsTransparent(image, p) ? 0 : static_cast<uint8_t>(counts.find(Key(p))->second);
    }
}

}  // namespace

GifPalette BuildGifPalette(const Raster& image, uint8_t* indices) {
    GifPalette palette;
    bool transparent = false;
    for (int y = 0; image.channels == 4 && y < image.height && !transparent; ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width && !transparent; ++x, p += 4) transparent = p[3] < 128;
    }
    if (transparent) {
        palette.transparentIndex = 0;
        palette.colours.push_back({0, 0, 0});
    }
    if (TryExact(image, indices, palette)) return palette;
    palette.colours.resize(transparent ? 1 : 0);
    Reduce(image, indices, palette);
    return palette;
}

}  // namespace trackalbum
