#pragma once
// What the photo benches make their camera and phone photos of: a landscape of value noise
// with sensor grain (soft areas, edges and fine texture, so that a decoder works about as hard
// as on a photo), and an Exif block with the taken time as cameras write it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace trackalbum::bench {

// Paints the rows of one picture, top to bottom, as R, G, B bytes.
class LandscapePainter {
public:
    LandscapePainter(int width, int height, unsigned variant)
        : width_(width), height_(height), variant_(variant), lattice_(static_cast<size_t>(Grid) * Grid), seed_(12345 + variant * 7919) {
        for (float& v : lattice_) {
            seed_ = seed_ * 1664525u + 1013904223u;
            v = static_cast<float>(seed_ >> 8) / static_cast<float>(1u << 24);
        }
    }

    // Rows must be asked for in order: the grain goes on from one row to the next.
    void PaintRow(int y, uint8_t* row) {
        const float sky = static_cast<float>(y) / height_;
        for (int x = 0; x < width_; ++x) {
            float v = 0, amplitude = 0.5f, scale = 1.0f / 400;
            for (int octave = 0; octave < 5; ++octave, amplitude *= 0.5f, scale *= 2.3f)
                v += amplitude * Noise(x * scale + octave * 17 + variant_ * 5, y * scale + octave * 31);
            seed_ = seed_ * 1664525u + 1013904223u;
            v += static_cast<float>(seed_ >> 24) / 640.0f;
            row[3 * x] = static_cast<uint8_t>(std::clamp(60 + 170 * v * sky + 20 * (1 - sky), 0.0f, 255.0f));
            row[3 * x + 1] = static_cast<uint8_t>(std::clamp(90 + 140 * v, 0.0f, 255.0f));
            row[3 * x + 2] = static_cast<uint8_t>(std::clamp(200 * (1 - sky) + 60 * v, 0.0f, 255.0f));
        }
    }

private:
    static constexpr int Grid = 257;

    float At(int i, int j) const { return lattice_[static_cast<size_t>(j % Grid) * Grid + static_cast<size_t>(i % Grid)]; }
    float Noise(float x, float y) const {
        const int xi = static_cast<int>(x), yi = static_cast<int>(y);
        const float fx = x - xi, fy = y - yi;
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const float a = At(xi, yi) + sx * (At(xi + 1, yi) - At(xi, yi));
        const float b = At(xi, yi + 1) + sx * (At(xi + 1, yi + 1) - At(xi, yi + 1));
        return a + sy * (b - a);
    }

    int width_, height_;
    unsigned variant_;
    std::vector<float> lattice_;
    uint32_t seed_;
};

// "Exif\0\0" and a little-endian TIFF structure: IFD0 with DateTime and the pointer to the
// Exif IFD, which holds DateTimeOriginal; both `dateTime` (19 characters).
inline std::vector<uint8_t> ExifBlock(const std::string& dateTime) {
    std::vector<uint8_t> out = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
    const auto put16 = [&](unsigned value) { out.push_back(value & 0xff), out.push_back(value >> 8 & 0xff); };
    const auto put32 = [&](uint32_t value) { put16(value & 0xffff), put16(value >> 16); };
    const auto entry = [&](unsigned tag, unsigned type, uint32_t count, uint32_t value) { put16(tag), put16(type), put32(count), put32(value); };
    put32(8);
    put16(2);                     // IFD0 at 8, 30 bytes
    entry(0x0132, 2, 20, 56);     // DateTime
    entry(0x8769, 4, 1, 38);      // the Exif IFD
    put32(0);
    put16(1);                     // Exif IFD at 38, 18 bytes
    entry(0x9003, 2, 20, 76);     // DateTimeOriginal
    put32(0);
    for (int copy = 0; copy < 2; ++copy) out.insert(out.end(), dateTime.c_str(), dateTime.c_str() + 20);
    return out;
}

}  // namespace trackalbum::bench
