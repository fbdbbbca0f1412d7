#include "settings/SettingsStore.h"

namespace trackalbum {
namespace {
// What a setting is when the profile holds none: the defaults of the settings record itself.
const MapSettings Defaults{};
}  // namespace

std::string SettingsStore::GetString(const std::string& key, const std::string& defaultValue) const {
    return profile_.GetProfileString(Section, key, defaultValue);
}

void SettingsStore::WriteString(const std::string& key, const std::string& value) const {
    profile_.WriteProfileString(Section, key, value);
}

int SettingsStore::GetInteger(const std::string& key, int defaultValue) const {
    return profile_.GetProfileInt(Section, key, defaultValue);
}

void SettingsStore::WriteInteger(const std::string& key, int value) const {
    profile_.WriteProfileInt(Section, key, value);
}

Color SettingsStore::GetColor(const char* red, const char* green, const char* blue,
                              Color defaultValue) const {
    int r = GetInteger(red, static_cast<int>(GetRed(defaultValue)));
    int g = GetInteger(green, static_cast<int>(GetGreen(defaultValue)));
    int b = GetInteger(blue, static_cast<int>(GetBlue(defaultValue)));
    return MakeColor(static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
}

void SettingsStore::SetColor(const char* red, const char* green, const char* blue, Color value) const {
    WriteInteger(red, static_cast<int>(value & 0xFF));
    WriteInteger(green, static_cast<int>((value >> 8) & 0xFF));
    WriteInteger(blue, static_cast<int>((value >> 16) & 0xFF));
}

std::string SettingsStore::GetAPIKey() const { return GetString("APIKey", Defaults.APIKey); }
void SettingsStore::SetAPIKey(const std::string& value) const { WriteString("APIKey", value); }

Color SettingsStore::GetPathColor() const {
    return GetColor("PathRed", "PathGreen", "PathBlue", Defaults.PathColor);
}
void SettingsStore::SetPathColor(Color value) const { SetColor("PathRed", "PathGreen", "PathBlue", value); }

int SettingsStore::GetPathWidth() const { return GetInteger("PathWidth", Defaults.PathWidth); }
void SettingsStore::SetPathWidth(int value) const { WriteInteger("PathWidth", value); }

int SettingsStore::GetMapType() const { return GetInteger("MapType", Defaults.MapType); }
void SettingsStore::SetMapType(int value) const { WriteInteger("MapType", value); }

int SettingsStore::GetMapTypeBtn() const { return GetInteger("MapTypeBtn", Defaults.MapTypeBtn); }
void SettingsStore::SetMapTypeBtn(int value) const { WriteInteger("MapTypeBtn", value); }

int SettingsStore::GetController() const { return GetInteger("Controller", Defaults.Controller); }
void SettingsStore::SetController(int value) const { WriteInteger("Controller", value); }

int SettingsStore::GetDisplayType() const { return GetInteger("DisplayType", Defaults.DisplayType); }
void SettingsStore::SetDisplayType(int value) const { WriteInteger("DisplayType", value); }

int SettingsStore::GetDisplayWidth() const { return GetInteger("DisplayWidth", Defaults.DisplayWidth); }
void SettingsStore::SetDisplayWidth(int value) const { WriteInteger("DisplayWidth", value); }

int SettingsStore::GetDisplayHeight() const { return GetInteger("DisplayHeight", Defaults.DisplayHeight); }
void SettingsStore::SetDisplayHeight(int value) const { WriteInteger("DisplayHeight", value); }

int SettingsStore::GetAutoZoom() const { return GetInteger("AutoZoom", Defaults.AutoZoom); }
void SettingsStore::SetAutoZoom(int value) const { WriteInteger("AutoZoom", value); }

int SettingsStore::GetZoomLevel() const { return GetInteger("ZoomLevel", Defaults.ZoomLevel); }
void SettingsStore::SetZoomLevel(int value) const { WriteInteger("ZoomLevel", value); }

Color SettingsStore::GetUpColor() const {
    return GetColor("UpRed", "UpGreen", "UpBlue", Defaults.UpColor);
}
void SettingsStore::SetUpColor(Color value) const { SetColor("UpRed", "UpGreen", "UpBlue", value); }

Color SettingsStore::GetDownColor() const {
    return GetColor("DownRed", "DownGreen", "DownBlue", Defaults.DownColor);
}
void SettingsStore::SetDownColor(Color value) const { SetColor("DownRed", "DownGreen", "DownBlue", value); }

Color SettingsStore::GetFlatColor() const {
    return GetColor("FlatRed", "FlatGreen", "FlatBlue", Defaults.FlatColor);
}
void SettingsStore::SetFlatColor(Color value) const { SetColor("FlatRed", "FlatGreen", "FlatBlue", value); }

int SettingsStore::GetColoring() const { return GetInteger("Coloring", Defaults.Coloring); }
void SettingsStore::SetColoring(int value) const { WriteInteger("Coloring", value); }

int SettingsStore::GetIconTrace() const { return GetInteger("IconTrace", Defaults.IconTrace); }
void SettingsStore::SetIconTrace(int value) const { WriteInteger("IconTrace", value); }

int SettingsStore::GetProfWidth() const { return GetInteger("ProfWidth", Defaults.ProfWidth); }
void SettingsStore::SetProfWidth(int value) const { WriteInteger("ProfWidth", value); }

int SettingsStore::GetProfHeight() const { return GetInteger("ProfHeight", Defaults.ProfHeight); }
void SettingsStore::SetProfHeight(int value) const { WriteInteger("ProfHeight", value); }

int SettingsStore::GetScale() const { return GetInteger("Scale", Defaults.Scale); }
void SettingsStore::SetScale(int value) const { WriteInteger("Scale", value); }

int SettingsStore::GetOverview() const { return GetInteger("Overview", Defaults.Overview); }
void SettingsStore::SetOverview(int value) const { WriteInteger("Overview", value); }

int SettingsStore::GetJapanese() const { return GetInteger("Japanese", Defaults.Japanese); }
void SettingsStore::SetJapanese(int value) const { WriteInteger("Japanese", value); }

std::string SettingsStore::GetAPIHost() const { return GetString("APIHost", Defaults.APIHost); }
void SettingsStore::SetAPIHost(const std::string& value) const { WriteString("APIHost", value); }

std::string SettingsStore::GetIconHost() const { return GetString("IconHost", Defaults.IconHost); }
void SettingsStore::SetIconHost(const std::string& value) const { WriteString("IconHost", value); }

std::string SettingsStore::GetNormalTileUrl() const { return GetString("NormalTileUrl", Defaults.NormalTileUrl); }
void SettingsStore::SetNormalTileUrl(const std::string& value) const { WriteString("NormalTileUrl", value); }

std::string SettingsStore::GetNormalTileAttribution() const { return GetString("NormalTileAttribution", Defaults.NormalTileAttribution); }
void SettingsStore::SetNormalTileAttribution(const std::string& value) const { WriteString("NormalTileAttribution", value); }

int SettingsStore::GetNormalTileMaxZoom() const { return GetInteger("NormalTileMaxZoom", Defaults.NormalTileMaxZoom); }
void SettingsStore::SetNormalTileMaxZoom(int value) const { WriteInteger("NormalTileMaxZoom", value); }

std::string SettingsStore::GetAerialTileUrl() const { return GetString("AerialTileUrl", Defaults.AerialTileUrl); }
void SettingsStore::SetAerialTileUrl(const std::string& value) const { WriteString("AerialTileUrl", value); }

std::string SettingsStore::GetAerialTileAttribution() const { return GetString("AerialTileAttribution", Defaults.AerialTileAttribution); }
void SettingsStore::SetAerialTileAttribution(const std::string& value) const { WriteString("AerialTileAttribution", value); }

int SettingsStore::GetAerialTileMaxZoom() const { return GetInteger("AerialTileMaxZoom", Defaults.AerialTileMaxZoom); }
void SettingsStore::SetAerialTileMaxZoom(int value) const { WriteInteger("AerialTileMaxZoom", value); }

std::string SettingsStore::GetOverlayTileUrl() const { return GetString("OverlayTileUrl", Defaults.OverlayTileUrl); }
void SettingsStore::SetOverlayTileUrl(const std::string& value) const { WriteString("OverlayTileUrl", value); }

std::string SettingsStore::GetOverlayTileAttribution() const { return GetString("OverlayTileAttribution", Defaults.OverlayTileAttribution); }
void SettingsStore::SetOverlayTileAttribution(const std::string& value) const { WriteString("OverlayTileAttribution", value); }

int SettingsStore::GetOverlayTileMaxZoom() const { return GetInteger("OverlayTileMaxZoom", Defaults.OverlayTileMaxZoom); }
void SettingsStore::SetOverlayTileMaxZoom(int value) const { WriteInteger("OverlayTileMaxZoom", value); }

}  // namespace trackalbum
