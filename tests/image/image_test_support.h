#pragma once
// Helpers shared by the image tests: a scratch folder, synthetic pictures and raw bytes.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/Image.h"

namespace trackalbum::image_test {

struct ScratchFolder {
    std::string path_ = (std::filesystem::temp_directory_path() / "ta-image-XXXXXX").string();
    ScratchFolder() { path_ = mkdtemp(path_.data()) ? path_ : "/nonexistent"; }
    ~ScratchFolder() { std::filesystem::remove_all(path_, ignored_); }
    std::error_code ignored_;
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Four flat quadrants, so that even a JPEG keeps each one's colour recognisably.
constexpr Rgb kQuadrant[4] = {{220, 30, 30}, {30, 200, 40}, {40, 40, 210}, {240, 240, 240}};

inline Image Quadrants(int width, int height, int depth) {
    Image image;
    image.Create(width, height, depth);
    for (int q = 0; q < 4; ++q)
        image.FillRect(q % 2 * (width / 2), q / 2 * (height / 2), width - width / 2, height - height / 2, kQuadrant[q]);
    return image;
}


}  // namespace trackalbum::image_test
