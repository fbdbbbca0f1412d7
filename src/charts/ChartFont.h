#pragma once
// The label text of the charts: what the layout measures is exactly what it draws.
#include <string>

#include "image/Image.h"
#include "platform/FreeTypeFont.h"  // TextExtent

namespace trackalbum {

class ChartFont {
public:
    virtual ~ChartFont() = default;
    virtual TextExtent Measure(const std::string& text) const = 0;
    // Writes the text with the top-left corner of its measured box at (x, y).
    virtual void Draw(Image& image, int x, int y, const std::string& text) const = 0;
};

}  // namespace trackalbum
