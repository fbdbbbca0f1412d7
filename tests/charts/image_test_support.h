#pragma once
// Helpers shared by the image tests: a scratch folder, synthetic pictures and raw bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "charts/Image.h"

namespace trackalbum::image_test {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ta-image-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Four flat quadrants, so that even a JPEG keeps each one's colour recognisably.
constexpr Rgb kTopLeft{220, 30, 30}, kTopRight{30, 200, 40}, kBottomLeft{40, 40, 210}, kBottomRight{240, 240, 240};

inline Image Quadrants(int width, int height, int depth) {
    Image image;
    image.Create(width, height, depth);
    image.FillRect(0, 0, width / 2, height / 2, kTopLeft);
    image.FillRect(width / 2, 0, width - width / 2, height / 2, kTopRight);
    image.FillRect(0, height / 2, width / 2, height - height / 2, kBottomLeft);
    image.FillRect(width / 2, height / 2, width - width / 2, height - height / 2, kBottomRight);
    return image;
}

inline bool Near(Rgb a, Rgb b, int tolerance = 12) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// An APP1 segment holding an Exif IFD0 with one Orientation entry.
inline std::vector<uint8_t> ExifOrientationSegment(int orientation, bool bigEndian) {
    auto u16 = [&](std::vector<uint8_t>& v, uint16_t x) {
        if (bigEndian) v.insert(v.end(), {uint8_t(x >> 8), uint8_t(x)});
        else v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)});
    };
    auto u32 = [&](std::vector<uint8_t>& v, uint32_t x) {
        if (bigEndian) v.insert(v.end(), {uint8_t(x >> 24), uint8_t(x >> 16), uint8_t(x >> 8), uint8_t(x)});
        else v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8), uint8_t(x >> 16), uint8_t(x >> 24)});
    };
    std::vector<uint8_t> tiff = bigEndian ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
    u16(tiff, 42);
    u32(tiff, 8);
    u16(tiff, 1);
    u16(tiff, 0x0112);
    u16(tiff, 3);
    u32(tiff, 1);
    u16(tiff, static_cast<uint16_t>(orientation));
    u16(tiff, 0);
    u32(tiff, 0);
    std::vector<uint8_t> segment{0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    for (uint8_t b : tiff) segment.push_back(b);
    const size_t length = segment.size() - 2;
    segment[2] = static_cast<uint8_t>(length >> 8);
    segment[3] = static_cast<uint8_t>(length);
    return segment;
}

// A JPEG file with `segment` inserted right after the start-of-image marker.
inline std::vector<uint8_t> WithSegment(std::vector<uint8_t> jpeg, const std::vector<uint8_t>& segment) {
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

}  // namespace trackalbum::image_test
