#include "page/PlayerIcons.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "page/OutputFiles.h"
#include "platform/Errors.h"
#include "platform/PngCodec.h"

namespace trackalbum {
namespace {

constexpr int Samples = 8;  // per pixel side, for smooth edges at this small size

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // a in 0..1, colour premultiplied
};

// A pin: a round head and the two tangents from the head down to its point.
struct PinShape {
    double cx, cy, radius, tipY;

    bool Contains(double x, double y) const {
        const double dx = x - cx, dy = y - cy;
        if (dx * dx + dy * dy <= radius * radius) return true;
        if (y > tipY) return false;
        const double distance = tipY - cy;
        // The tangent points lie this far below the centre; above them the head is the shape.
        const double tangentY = cy + radius * radius / distance;
        if (y < tangentY) return false;
        const double halfAngleTan = radius / std::sqrt(distance * distance - radius * radius);
        return std::fabs(dx) <= (tipY - y) * halfAngleTan;
    }
};

constexpr PinShape Outline{6.0, 6.0, 5.4, 20.0};
constexpr PinShape Body{6.0, 6.0, 4.4, 18.2};
constexpr double DotRadius = 1.4;

// Supersampled pixels: `sample` gives the premultiplied colour at a point.
template <typename Sample>
Image Render(int width, int height, Sample sample) {
    Image image;
    image.Create(width, height, 32);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.GetRow(y);
        for (int x = 0; x < width; ++x) {
            Rgba sum;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const Rgba s = sample(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples);
                    sum.r += s.r, sum.g += s.g, sum.b += s.b, sum.a += s.a;
                }
            }
            const double n = Samples * Samples;
            const double alpha = sum.a / n;
            uint8_t* pixel = row + x * 4;
            const auto channel = [&](double premultiplied) {
                return static_cast<uint8_t>(alpha > 0 ? std::lround(premultiplied / n / alpha * 255.0) : 0);
            };
            pixel[0] = channel(sum.r), pixel[1] = channel(sum.g), pixel[2] = channel(sum.b);
            pixel[3] = static_cast<uint8_t>(std::lround(alpha * 255.0));
        }
    }
    return image;
}

Rgba Opaque(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1.0}; }

Rgba PinColour(double x, double y) {
    const double dx = x - Outline.cx, dy = y - Outline.cy;
    if (dx * dx + dy * dy <= DotRadius * DotRadius) return Opaque(96, 0, 0);
    if (Body.Contains(x, y)) return Opaque(235, 45, 35);
    if (Outline.Contains(x, y)) return Opaque(128, 10, 10);
    return {};
}

// The shadow is the pin laid down: heights above the point halved and leaning right.
constexpr double ShadowLean = 0.75;
constexpr double ShadowSquash = 0.5;
constexpr double ShadowOpacity = 0.45;

void SoftenAlpha(Image& image) {
    const int width = image.GetWidth(), height = image.GetHeight();
    std::vector<int> alpha(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) alpha[y * width + x] = image.GetRow(y)[x * 4 + 3];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;  // 3 x 3 box, the missing neighbours outside counted as clear
            for (int ny = y - 1; ny <= y + 1; ++ny)
                for (int nx = x - 1; nx <= x + 1; ++nx)
                    if (nx >= 0 && ny >= 0 && nx < width && ny < height) sum += alpha[ny * width + nx];
            image.GetRow(y)[x * 4 + 3] = static_cast<uint8_t>((sum + 4) / 9);
        }
    }
}

void SavePng(const Image& image, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (PngCodec().Encode(image.GetRaster(), bytes) != CodecStatus::Ok) {
        throw FileError(path, "ファイルに書き込めません: " + path);
    }
    SaveOutputFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

Image DrawPlayerIcon() { return Render(12, 20, PinColour); }

Image DrawPlayerIconShadow() {
    Image shadow = Render(22, 20, [](double x, double y) {
        const double height = (Outline.tipY - y) / ShadowSquash;
        const double pinX = x - height * ShadowLean;
        return Outline.Contains(pinX, Outline.tipY - height) ? Rgba{0, 0, 0, ShadowOpacity} : Rgba{};
    });
    SoftenAlpha(shadow);
    return shadow;
}

void WritePlayerIcons() {
    EnsureFolder("html/ridefinder");
    EnsureFolder("html/ridefinder/images");
    SavePng(DrawPlayerIcon(), "html/ridefinder/images/mm_20_red.png");
    SavePng(DrawPlayerIconShadow(), "html/ridefinder/images/mm_20_shadow.png");
}

}  // namespace trackalbum
