#pragma once
// A font face found through fontconfig and rasterised by FreeType: the text of the chart
// labels. Text is UTF-8; a line of text is measured and rasterised into the same box, so
// what is measured is exactly what is drawn.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trackalbum {

struct TextExtent {
    int width = 0;
    int height = 0;
    friend bool operator==(TextExtent, TextExtent) = default;
};

// Coverage of a text line in its box, row by row: 0 = background, 255 = full ink.
struct TextCoverage {
    TextExtent extent;
    std::vector<uint8_t> levels;  // extent.width * extent.height values
    uint8_t At(int x, int y) const { return levels[static_cast<size_t>(y) * extent.width + x]; }
};

class FreeTypeFont {
public:
    // Coverage is rounded to this many steps above zero, so that anti-aliased text adds only
    // a handful of colours to an image (a GIF palette then keeps every colour exact).
    static constexpr int CoverageSteps = 4;

    // The face that fontconfig matches for `family` at a character (em) height in pixels.
    // Null when fontconfig or FreeType cannot provide a face.
    static std::unique_ptr<FreeTypeFont> Open(const std::string& family, int pixelHeight);

    ~FreeTypeFont();
    FreeTypeFont(const FreeTypeFont&) = delete;
    FreeTypeFont& operator=(const FreeTypeFont&) = delete;

    // The box of a line: the sum of the glyphs' advances by the face's line height
    // (ascender plus descender).
    TextExtent Measure(std::string_view text) const;
    // The line rasterised into that box, the baseline at the ascender; ink outside the box
    // is cut off.
    TextCoverage Rasterise(std::string_view text) const;
    // The file the face was loaded from.
    const std::string& GetFilePath() const { return filePath_; }

private:
    struct Handles;
    FreeTypeFont(std::unique_ptr<Handles> handles, std::string filePath);

    // One face is not safe to share between threads; each chart makes its own font.
    std::unique_ptr<Handles> handles_;
    std::string filePath_;
};

}  // namespace trackalbum
