#pragma once
// Typed access to the settings in the profile section "Parameters". Stateless: every read
// goes to the profile and every write reaches it at once; make one wherever needed.
#include <string>

#include "settings/MapSettings.h"
#include "settings/Profile.h"

namespace trackalbum {

class SettingsStore {
public:
    static constexpr const char* Section = "Parameters";

    explicit SettingsStore(Profile& profile) : profile_(profile) {}

    std::string GetString(const std::string& key, const std::string& defaultValue) const;
    void WriteString(const std::string& key, const std::string& value) const;
    int GetInteger(const std::string& key, int defaultValue) const;
    void WriteInteger(const std::string& key, int value) const;

    std::string GetAPIKey() const;
    void SetAPIKey(const std::string& value) const;
    Color GetPathColor() const;
    void SetPathColor(Color value) const;
    int GetPathWidth() const;
    void SetPathWidth(int value) const;
    int GetMapType() const;
    void SetMapType(int value) const;
    int GetMapTypeBtn() const;
    void SetMapTypeBtn(int value) const;
    int GetController() const;
    void SetController(int value) const;
    int GetDisplayType() const;
    void SetDisplayType(int value) const;
    int GetDisplayWidth() const;
    void SetDisplayWidth(int value) const;
    int GetDisplayHeight() const;
    void SetDisplayHeight(int value) const;
    int GetAutoZoom() const;
    void SetAutoZoom(int value) const;
    int GetZoomLevel() const;
    void SetZoomLevel(int value) const;
    Color GetUpColor() const;
    void SetUpColor(Color value) const;
    Color GetDownColor() const;
    void SetDownColor(Color value) const;
    Color GetFlatColor() const;
    void SetFlatColor(Color value) const;
    int GetColoring() const;
    void SetColoring(int value) const;
    int GetIconTrace() const;
    void SetIconTrace(int value) const;
    int GetProfWidth() const;
    void SetProfWidth(int value) const;
    int GetProfHeight() const;
    void SetProfHeight(int value) const;
    int GetScale() const;
    void SetScale(int value) const;
    int GetOverview() const;
    void SetOverview(int value) const;
    int GetJapanese() const;
    void SetJapanese(int value) const;
    std::string GetAPIHost() const;
    void SetAPIHost(const std::string& value) const;
    std::string GetIconHost() const;
    void SetIconHost(const std::string& value) const;
    std::string GetNormalTileUrl() const;
    void SetNormalTileUrl(const std::string& value) const;
    std::string GetNormalTileAttribution() const;
    void SetNormalTileAttribution(const std::string& value) const;
    int GetNormalTileMaxZoom() const;
    void SetNormalTileMaxZoom(int value) const;
    std::string GetAerialTileUrl() const;
    void SetAerialTileUrl(const std::string& value) const;
    std::string GetAerialTileAttribution() const;
    void SetAerialTileAttribution(const std::string& value) const;
    int GetAerialTileMaxZoom() const;
    void SetAerialTileMaxZoom(int value) const;
    std::string GetOverlayTileUrl() const;
    void SetOverlayTileUrl(const std::string& value) const;
    std::string GetOverlayTileAttribution() const;
    void SetOverlayTileAttribution(const std::string& value) const;
    int GetOverlayTileMaxZoom() const;
    void SetOverlayTileMaxZoom(int value) const;

    // Makes the written values durable (see Profile::Flush).
    bool Flush() const { return profile_.Flush(); }
    std::string GetLastProblem() const { return profile_.GetLastProblem(); }

private:
    // A colour is three keys of 0..255; reading keeps the low 8 bits of each.
    Color GetColor(const char* red, const char* green, const char* blue, Color defaultValue) const;
    void SetColor(const char* red, const char* green, const char* blue, Color value) const;

    Profile& profile_;
};

}  // namespace trackalbum
