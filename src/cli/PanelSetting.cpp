#include "cli/PanelSetting.h"

#include <map>

#include "cli/CliOptions.h"

namespace trackalbum {
namespace {

using ColorGetter = Color (MapPropertyPage::*)() const;
using ColorSetter = void (MapPropertyPage::*)(Color);

struct ColorKey {
    ColorGetter get;
    ColorSetter set;
    int shift;
};

const std::map<std::string, ColorKey>& ColorKeys() {
    static const std::map<std::string, ColorKey> keys = {
        {"PathRed", {&MapPropertyPage::GetPathColor, &MapPropertyPage::SetPathColor, 0}},
        {"PathGreen", {&MapPropertyPage::GetPathColor, &MapPropertyPage::SetPathColor, 8}},
        {"PathBlue", {&MapPropertyPage::GetPathColor, &MapPropertyPage::SetPathColor, 16}},
        {"UpRed", {&MapPropertyPage::GetUpColor, &MapPropertyPage::SetUpColor, 0}},
        {"UpGreen", {&MapPropertyPage::GetUpColor, &MapPropertyPage::SetUpColor, 8}},
        {"UpBlue", {&MapPropertyPage::GetUpColor, &MapPropertyPage::SetUpColor, 16}},
        {"DownRed", {&MapPropertyPage::GetDownColor, &MapPropertyPage::SetDownColor, 0}},
        {"DownGreen", {&MapPropertyPage::GetDownColor, &MapPropertyPage::SetDownColor, 8}},
        {"DownBlue", {&MapPropertyPage::GetDownColor, &MapPropertyPage::SetDownColor, 16}},
        {"FlatRed", {&MapPropertyPage::GetFlatColor, &MapPropertyPage::SetFlatColor, 0}},
        {"FlatGreen", {&MapPropertyPage::GetFlatColor, &MapPropertyPage::SetFlatColor, 8}},
        {"FlatBlue", {&MapPropertyPage::GetFlatColor, &MapPropertyPage::SetFlatColor, 16}},
    };
    return keys;
}

using IntSetter = void (MapPropertyPage::*)(int);

// Fields that take any number typed into them.
const std::map<std::string, IntSetter>& FieldKeys() {
    static const std::map<std::string, IntSetter> keys = {
        {"PathWidth", &MapPropertyPage::StorePathWidth},
        {"ZoomLevel", &MapPropertyPage::StoreZoomLevel},
        {"DisplayWidth", &MapPropertyPage::SetDisplayWidth},
        {"DisplayHeight", &MapPropertyPage::SetDisplayHeight},
        {"ProfWidth", &MapPropertyPage::SetProfWidth},
        {"ProfHeight", &MapPropertyPage::SetProfHeight},
    };
    return keys;
}

struct ChoiceKey {
    IntSetter set;
    int highest;  // entries 0..highest
};

// Check boxes (0/1), radio groups and the map-type list.
const std::map<std::string, ChoiceKey>& ChoiceKeys() {
    static const std::map<std::string, ChoiceKey> keys = {
        {"MapType", {&MapPropertyPage::SetMapType, 2}},
        {"Controller", {&MapPropertyPage::SetController, 2}},
        {"DisplayType", {&MapPropertyPage::SetDisplayType, 1}},
        {"MapTypeBtn", {&MapPropertyPage::SetMapTypeBtn, 1}},
        {"AutoZoom", {&MapPropertyPage::SetAutoZoom, 1}},
        {"Coloring", {&MapPropertyPage::SetColoring, 1}},
        {"IconTrace", {&MapPropertyPage::SetIconTrace, 1}},
        {"Scale", {&MapPropertyPage::SetScale, 1}},
        {"Overview", {&MapPropertyPage::SetOverview, 1}},
        {"Japanese", {&MapPropertyPage::SetJapanese, 1}},
    };
    return keys;
}

using TextSetter = void (ApiKeyPage::*)(const std::string&);

const std::map<std::string, TextSetter>& TileTextKeys() {
    static const std::map<std::string, TextSetter> keys = {
        {"NormalTileUrl", &ApiKeyPage::SetNormalTileUrl},
        {"NormalTileAttribution", &ApiKeyPage::SetNormalTileAttribution},
        {"AerialTileUrl", &ApiKeyPage::SetAerialTileUrl},
        {"AerialTileAttribution", &ApiKeyPage::SetAerialTileAttribution},
        {"OverlayTileUrl", &ApiKeyPage::SetOverlayTileUrl},
        {"OverlayTileAttribution", &ApiKeyPage::SetOverlayTileAttribution},
    };
    return keys;
}

// The page holds a zoom within 0..22 whatever is typed.
const std::map<std::string, void (ApiKeyPage::*)(int)>& TileZoomKeys() {
    static const std::map<std::string, void (ApiKeyPage::*)(int)> keys = {
        {"NormalTileMaxZoom", &ApiKeyPage::SetNormalTileMaxZoom},
        {"AerialTileMaxZoom", &ApiKeyPage::SetAerialTileMaxZoom},
        {"OverlayTileMaxZoom", &ApiKeyPage::SetOverlayTileMaxZoom},
    };
    return keys;
}

}  // namespace

void EnterPanelSetting(ControlPanel& panel, const std::string& key, const std::string& value) {
    MapPropertyPage& map = panel.GetMapPropertyPage();
    ApiKeyPage& apiKey = panel.GetApiKeyPage();
    const std::string what = "--set " + key;
    if (key == "APIKey") {
        apiKey.SetAPIKey(value);
    } else if (key == "APIHost") {
        apiKey.SetAPIHost(value);
    } else if (key == "IconHost") {
        apiKey.SetIconHost(value);
    } else if (auto text = TileTextKeys().find(key); text != TileTextKeys().end()) {
        (apiKey.*text->second)(value);
    } else if (auto zoom = TileZoomKeys().find(key); zoom != TileZoomKeys().end()) {
        (apiKey.*zoom->second)(ParseWholeNumber(value, what));
    } else if (auto color = ColorKeys().find(key); color != ColorKeys().end()) {
        const ColorKey& entry = color->second;
        auto component = static_cast<uint32_t>(ParseWholeNumber(value, what)) & 0xFFu;
        Color old = (map.*entry.get)();
        (map.*entry.set)((old & ~(0xFFu << entry.shift)) | (component << entry.shift));
    } else if (auto field = FieldKeys().find(key); field != FieldKeys().end()) {
        (map.*field->second)(ParseWholeNumber(value, what));
    } else if (auto choice = ChoiceKeys().find(key); choice != ChoiceKeys().end()) {
        int number = ParseWholeNumber(value, what);
        if (number < 0 || number > choice->second.highest) {
            throw UsageError(what + " must be 0.." + std::to_string(choice->second.highest) + ": " + value);
        }
        (map.*choice->second.set)(number);
    } else {
        throw UsageError("unknown setting: " + key);
    }
}

}  // namespace trackalbum
