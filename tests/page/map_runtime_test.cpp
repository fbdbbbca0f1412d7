// The runtime file beside the pages (its tile line and the embedded script) and the
// player's icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "page/MapRuntime.h"
#include "page/PlayerIcons.h"
#include "page_support.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

using testing::Has;
namespace fs = std::filesystem;
using test::ReadFile;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(TileConfigurationTest, HostileTextStaysInsideItsStringAndComesBackUnchanged) {
    TileLayers tiles;
    tiles.Normal.Url = "https://t.example/{z}/{x}/{y}.png?a=\"1\"&b=\\2";
    tiles.Normal.Attribution = "</script><script>alert(1)</script><!-- \r\n\t\x01\x7F";
    tiles.Aerial.Attribution = "地図 \xF0\x9F\x97\xBA \xE2\x80\xA8 end";  // U+1F5FA, U+2028
    tiles.Overlay.Url = "bad \xFF\xC0 utf8";
    tiles.Normal.MaxZoom = 99;
    tiles.Aerial.MaxZoom = -3;
    const std::string line = BuildTileConfiguration(tiles);
    EXPECT_TRUE(IsAscii(line));
    EXPECT_EQ(line.find('<'), std::string::npos);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_TRUE(Has(line, "\\uD83D\\uDDFA \\u2028 end"));
    EXPECT_TRUE(Has(line, "\"maxZoom\":22},\"aerial\""));
    EXPECT_TRUE(Has(line, "\"maxZoom\":0},\"overlay\""));

    if (std::system("node --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
    test::ScratchFolder folder(test::ScratchFolder::Enter);
    std::ofstream("tiles.js", std::ios::binary)
        << line << "process.stdout.write(TrackalbumTiles.normal.url + '|' + TrackalbumTiles.normal.attribution + '|' +"
        << " TrackalbumTiles.aerial.attribution + '|' + TrackalbumTiles.overlay.url);\n";
    ASSERT_EQ(std::system("node tiles.js >out.txt"), 0);
    EXPECT_EQ(ReadFile("out.txt"), tiles.Normal.Url + "|" + tiles.Normal.Attribution + "|" +
                                         tiles.Aerial.Attribution + "|bad \xEF\xBF\xBD\xEF\xBF\xBD utf8");
}

class MapRuntimeFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory("html"); }
    test::ScratchFolder folder_{test::ScratchFolder::Enter};
};

TEST_F(MapRuntimeFileTest, TheFileIsTheTileLineAndThenTheScriptUnchangedReplacedEachTime) {
    const std::string_view bundle = GetMapRuntimeBundle();
    ASSERT_GT(bundle.size(), 100000u);  // Leaflet and our adapter, not a placeholder
    WriteMapRuntime(TileLayers());
    TileLayers keyed;
    keyed.Aerial.Url = "https://tiles.example/{z}/{x}/{y}.jpg?key={key}";
    WriteMapRuntime(keyed);
    const std::string written = ReadFile(MapRuntimePath);
    const std::string line = BuildTileConfiguration(keyed);
    EXPECT_EQ(written.substr(0, line.size()), line);
    EXPECT_TRUE(written.substr(line.size()) == bundle);
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), {}), 1);  // no temporary left
}

TEST_F(MapRuntimeFileTest, AFileErrorLeavesNothingHalfWritten) {
    fs::create_directory(MapRuntimePath);  // a folder where the file belongs
    EXPECT_THROW(WriteMapRuntime(TileLayers()), FileError);
    EXPECT_TRUE(fs::is_empty(MapRuntimePath));
    EXPECT_EQ(std::distance(fs::directory_iterator("html"), {}), 1);  // no temporary left

    fs::remove("html/maps");
    fs::remove("html");
    EXPECT_THROW(WriteMapRuntime(TileLayers()), FileError);  // no folder to write into
    EXPECT_THROW(WritePlayerIcons(), FileError);
}

TEST_F(MapRuntimeFileTest, PlayerIconsAreARedPinPointingAtTheAnchorAndItsSoftShadow) {
    WritePlayerIcons();
    Image pin, shadow;
    ASSERT_EQ(pin.Load("html/ridefinder/images/mm_20_red.png"), ImageStatus::Ok);
    ASSERT_EQ(shadow.Load("html/ridefinder/images/mm_20_shadow.png"), ImageStatus::Ok);
    ASSERT_EQ(std::tuple(pin.GetWidth(), pin.GetHeight(), pin.GetDepth()), std::tuple(12, 20, 32));
    ASSERT_EQ(std::tuple(shadow.GetWidth(), shadow.GetHeight(), shadow.GetDepth()), std::tuple(22, 20, 32));
    const auto alpha = [](const Image& image, int x, int y) { return image.GetRow(y)[x * 4 + 3]; };

    // The head is opaque and red; the corners are clear; the bottom row holds only the
    // point, on the two pixels either side of the anchor at x = 6.
    EXPECT_EQ(alpha(pin, 6, 3), 255);
    EXPECT_GT(pin.GetPixel(6, 3).r, 200);
    EXPECT_LT(pin.GetPixel(6, 3).g, 80);
    for (const auto& [x, y] : {std::pair{0, 0}, {11, 0}, {0, 19}, {11, 19}}) EXPECT_EQ(alpha(pin, x, y), 0) << x << y;
    for (int x = 0; x < 12; ++x) EXPECT_EQ(alpha(pin, x, 19) > 0, x == 5 || x == 6) << x;

    // The shadow is black and translucent throughout, with soft edges.
    int translucent = 0, strongest = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 22; ++x) {
            EXPECT_EQ(shadow.GetPixel(x, y), Rgb{});
            strongest = std::max<int>(strongest, alpha(shadow, x, y));
            translucent += alpha(shadow, x, y) > 0 && alpha(shadow, x, y) < 100;
        }
    }
    EXPECT_GT(strongest, 80);
    EXPECT_LT(strongest, 160);
    EXPECT_GT(translucent, 20);
}

}  // namespace
}  // namespace trackalbum
