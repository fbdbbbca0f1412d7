#include "settings/TileLayers.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

using namespace TileServices;

std::string Labels(const std::vector<TileService>& choices) {
    std::string labels;
    for (const TileService& choice : choices) labels += std::string(choice.Label) + ",";
    return labels;
}

TEST(TileServiceChoiceTest, ALayerShowsTheServiceWhoseThreeFieldsItHoldsElseOther) {
    EXPECT_EQ(Labels(GetTileServiceChoices(false)), "地理院地図 標準,地理院地図 淡色,地理院 航空写真,OpenStreetMap,");
    EXPECT_EQ(Labels(GetTileServiceChoices(true)), "なし," + Labels(GetTileServiceChoices(false)));

    const TileLayers defaults;
    const std::string pale(GsiPale.Url);
    const struct { const char* why; TileLayer layer; bool overlay; std::string_view shown; } cases[] = {
        {"the normal layer's default", defaults.Normal, false, GsiStandard.Label},
        {"the aerial layer's default", defaults.Aerial, false, GsiPhoto.Label},
        {"the overlay's default", defaults.Overlay, true, NoOverlay.Label},
        {"no overlay, offered for the overlay alone", defaults.Overlay, false, OtherTileServiceLabel},
        {"a ready service as the overlay", ToTileLayer(OpenStreetMap), true, OpenStreetMap.Label},
        {"another zoom", {pale, std::string(GsiAttribution), 17}, false, OtherTileServiceLabel},
        {"another credit", {pale, "GSI", 18}, false, OtherTileServiceLabel},
        {"another address", {pale + "?key={key}", std::string(GsiAttribution), 18}, true, OtherTileServiceLabel},
    };
    for (const auto& c : cases) {
        const std::vector<TileService> choices = GetTileServiceChoices(c.overlay);
        const size_t index = FindTileServiceChoice(choices, c.layer);
        ASSERT_LE(index, choices.size()) << c.why;
        EXPECT_EQ(index < choices.size() ? choices[index].Label : OtherTileServiceLabel, c.shown) << c.why;
    }
}

}  // namespace
}  // namespace trackalbum
