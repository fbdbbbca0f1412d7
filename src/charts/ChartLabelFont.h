#pragma once
// The charts' label font, rasterised by FreeType.
#include <memory>
#include <string>

#include "charts/ChartFont.h"
#include "platform/FreeTypeFont.h"

namespace trackalbum {

// Black anti-aliased text on an opaque white box, in the face matched for "arial" at
// 8 points on a 96-dpi surface (11 pixels of character height).
class ChartLabelFont : public ChartFont {
public:
    static constexpr const char* Family = "arial";
    static constexpr int PixelHeight = 11;

    ChartLabelFont();
    TextExtent Measure(const std::string& text) const override;
    void Draw(Image& image, int x, int y, const std::string& text) const override;
    // False when no face could be loaded; the labels then measure and draw as nothing.
    bool IsLoaded() const { return face_ != nullptr; }

private:
    std::unique_ptr<FreeTypeFont> face_;
};

}  // namespace trackalbum
