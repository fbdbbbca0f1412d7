#include "charts/ChartLabelFont.h"

namespace trackalbum {

ChartLabelFont::ChartLabelFont() : face_(FreeTypeFont::Open(Family, PixelHeight)) {}

TextExtent ChartLabelFont::Measure(const std::string& text) const {
    return face_ ? face_->Measure(text) : TextExtent{};
}

void ChartLabelFont::Draw(Image& image, int x, int y, const std::string& text) const {
    if (!face_) return;
    const TextCoverage coverage = face_->Rasterise(text);
    const TextExtent& box = coverage.extent;
    image.FillRect(x, y, box.width, box.height, Rgb{255, 255, 255});
    for (int row = 0; row < box.height; ++row) {
        for (int column = 0; column < box.width; ++column) {
            const uint8_t level = coverage.At(column, row);
            if (level == 0) continue;
            const auto grey = static_cast<uint8_t>(255 - level);
            image.SetPixel(x + column, y + row, Rgb{grey, grey, grey});
        }
    }
}

}  // namespace trackalbum
