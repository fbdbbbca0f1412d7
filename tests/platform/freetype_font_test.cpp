#include "platform/FreeTypeFont.h"

#include <gtest/gtest.h>

#include <set>

// fontconfig keeps its configuration for the life of the process (freed only by FcFini,
// which would pull it from under every other user); not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace trackalbum {
namespace {

class FreeTypeFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = FreeTypeFont::Open("arial", 11);
        ASSERT_NE(font_, nullptr);
    }
    std::unique_ptr<FreeTypeFont> font_;
};

TEST_F(FreeTypeFontTest, ArialIsMatchedToAMetricCompatibleFace) {
    EXPECT_NE(font_->GetFilePath().find("LiberationSans-Regular"), std::string::npos)
        << font_->GetFilePath();
}

TEST_F(FreeTypeFontTest, LineHeightIsAscenderPlusDescenderAtElevenPixels) {
    // An 11-pixel em of a face with Arial's metrics: 10 above the baseline, 3 below.
    EXPECT_EQ(font_->Measure("0").height, 13);
    EXPECT_EQ(font_->Measure("").height, 13);
    EXPECT_EQ(font_->Measure("").width, 0);
}

TEST_F(FreeTypeFontTest, WidthsAddUpGlyphByGlyph) {
    const int one = font_->Measure("1").width;
    const int five = font_->Measure("5").width;
    EXPECT_GT(one, 0);
    EXPECT_EQ(font_->Measure("15").width, one + five);
    EXPECT_EQ(font_->Measure("-150").width, font_->Measure("-").width + 2 * five + font_->Measure("0").width);
    // Figures share one advance, so labels of equal length line up.
    EXPECT_EQ(font_->Measure("1234567890").width, 10 * one);
}

TEST_F(FreeTypeFontTest, RasteriseFillsExactlyTheMeasuredBoxWithFewLevels) {
    for (const char* text : {"0", "58", "-1250", "100"}) {
        const TextCoverage coverage = font_->Rasterise(text);
        EXPECT_EQ(coverage.extent, font_->Measure(text)) << text;
        ASSERT_EQ(coverage.levels.size(), static_cast<size_t>(coverage.extent.width * coverage.extent.height));
        std::set<int> levels(coverage.levels.begin(), coverage.levels.end());
        EXPECT_TRUE(levels.count(255)) << text << ": some pixels carry full ink";
        EXPECT_LE(levels.size(), static_cast<size_t>(FreeTypeFont::CoverageSteps + 1)) << text;
        std::set<int> allowed;
        for (int step = 0; step <= FreeTypeFont::CoverageSteps; ++step) allowed.insert(step * 255 / FreeTypeFont::CoverageSteps);
        for (int level : levels) EXPECT_TRUE(allowed.count(level)) << text << ": level " << level;
    }
}

TEST_F(FreeTypeFontTest, InkStaysBetweenTheTopRowAndTheDescent) {
    // Figures sit on the baseline: the rows below it (the descent) stay blank.
    const TextCoverage coverage = font_->Rasterise("80");
    for (int y = coverage.extent.height - 2; y < coverage.extent.height; ++y) {
        for (int x = 0; x < coverage.extent.width; ++x) EXPECT_EQ(coverage.At(x, y), 0) << x << "," << y;
    }
}

TEST(FreeTypeFontInput, MalformedTextAndBadSizesAreHarmless) {
    auto font = FreeTypeFont::Open("arial", 11);
    ASSERT_NE(font, nullptr);
    const std::string broken = "\xff\xc3(\xe2\x82";
    const TextCoverage coverage = font->Rasterise(broken);
    EXPECT_EQ(coverage.extent, font->Measure(broken));
    EXPECT_EQ(FreeTypeFont::Open("arial", 0), nullptr);
    EXPECT_EQ(FreeTypeFont::Open("arial", -3), nullptr);
}

}  // namespace
}  // namespace trackalbum
