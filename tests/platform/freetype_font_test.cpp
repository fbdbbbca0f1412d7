#include "platform/FreeTypeFont.h"

#include <gtest/gtest.h>

#include <set>

// fontconfig keeps its configuration for the process's life (FcFini would pull it from under others).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace trackalbum {
namespace {

TEST(FreeTypeFontTest, ArialAtElevenPixelsMeasuresWhatItDraws) {
    const auto font = FreeTypeFont::Open("arial", 11);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->GetFilePath().find("LiberationSans-Regular"), std::string::npos) << font->GetFilePath();
    // Arial's metrics at an 11-pixel em: 10 above the baseline, 3 below; figures share one advance.
    EXPECT_EQ(font->Measure("").height, 13);
    EXPECT_EQ(font->Measure("-1234567890").width, font->Measure("-").width + 10 * font->Measure("5").width);
    for (const char* text : {"0", "58", "-1250", "\xff\xc3(\xe2\x82"}) {
        const TextCoverage coverage = font->Rasterise(text);
        EXPECT_EQ(coverage.extent, font->Measure(text)) << text;
        // A handful of ink levels, full ink among them, so a GIF keeps every colour of a label.
        const std::set<int> levels(coverage.levels.begin(), coverage.levels.end());
        EXPECT_TRUE(levels.count(255)) << text;
        for (int level : levels)  // each a whole number of steps of full ink
            EXPECT_EQ((level * FreeTypeFont::CoverageSteps + 254) / 255 * 255 / FreeTypeFont::CoverageSteps, level) << level;
    }
}

}  // namespace
}  // namespace trackalbum
