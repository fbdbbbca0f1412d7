#include "platform/FreeTypeFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace trackalbum {

struct FreeTypeFont::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

namespace {

// Code points of a UTF-8 text; a malformed sequence gives U+FFFD for its first byte.
std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> result;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = length > 0 && i + static_cast<size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            result.push_back(0xFFFD);
            ++i;
            continue;
        }
        result.push_back(code);
        i += static_cast<size_t>(length);
    }
    return result;
}

// The font file and face index fontconfig chooses for a family name.
bool MatchFontFile(const std::string& family, std::string& path, int& index) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    if (!pattern) return false;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* file = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (found) {
        path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    }
    FcPatternDestroy(match);
    return found;
}

int PixelsOf(FT_Pos value26Dot6) { return static_cast<int>((value26Dot6 + 32) >> 6); }

}  // namespace

std::unique_ptr<FreeTypeFont> FreeTypeFont::Open(const std::string& family, int pixelHeight) {
    std::string path;
    int index = 0;
    if (pixelHeight <= 0 || !MatchFontFile(family, path, index)) return nullptr;
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0) return nullptr;
    if (FT_New_Face(handles->library, path.c_str(), index, &handles->face) != 0) return nullptr;
    if (FT_Set_Pixel_Sizes(handles->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) return nullptr;
    return std::unique_ptr<FreeTypeFont>(new FreeTypeFont(std::move(handles), std::move(path)));
}

FreeTypeFont::FreeTypeFont(std::unique_ptr<Handles> handles, std::string filePath)
    : handles_(std::move(handles)), filePath_(std::move(filePath)) {}

FreeTypeFont::~FreeTypeFont() = default;

TextExtent FreeTypeFont::Measure(std::string_view text) const {
    FT_Face face = handles_->face;
    TextExtent extent;
    extent.height = PixelsOf(face->size->metrics.ascender - face->size->metrics.descender);
    for (char32_t code : DecodeUtf8(text)) {
        if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) continue;
        extent.width += PixelsOf(face->glyph->advance.x);
    }
    return extent;
}

TextCoverage FreeTypeFont::Rasterise(std::string_view text) const {
    FT_Face face = handles_->face;
    TextCoverage coverage;
    coverage.extent = Measure(text);
    const int width = coverage.extent.width;
    const int height = coverage.extent.height;
    coverage.levels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const int baseline = PixelsOf(face->size->metrics.ascender);
    int pen = 0;
    for (char32_t code : DecodeUtf8(text)) {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const int left = pen + glyph->bitmap_left;
            const int top = baseline - glyph->bitmap_top;
            const int maxLevel = std::max(1, static_cast<int>(bitmap.num_grays) - 1);
            for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
                const int y = top + row;
                if (y < 0 || y >= height) continue;
                const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
                for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
                    const int x = left + column;
                    if (x < 0 || x >= width) continue;
                    const int step = (source[column] * CoverageSteps + maxLevel / 2) / maxLevel;
                    const auto level = static_cast<uint8_t>(step * 255 / CoverageSteps);
                    uint8_t& target = coverage.levels[static_cast<size_t>(y) * width + x];
                    target = std::max(target, level);  // touching glyphs share ink, never add it
                }
            }
        }
        pen += PixelsOf(glyph->advance.x);
    }
    return coverage;
}

}  // namespace trackalbum
