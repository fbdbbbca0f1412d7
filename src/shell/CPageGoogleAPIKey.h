#pragma once
// The "Google API Key" page: the map API key, where the pages load the map script and the
// player's icons from, and the tile services of the map runtime; bound to its ApiKeyPage.
// Each tile layer offers its ready services as a choice that fills the layer's three fields;
// the choice follows the fields when they are typed.
#include <string>
#include <vector>

#include <wx/panel.h>

#include "pipeline/ApiKeyPage.h"
#include "settings/TileLayers.h"

class wxChoice;
class wxTextCtrl;

namespace trackalbum {

class CPageGoogleAPIKey : public wxPanel {
public:
    CPageGoogleAPIKey(wxWindow* parent, ApiKeyPage& model);

    bool TransferDataToWindow() override;
    // A highest zoom that is no whole number is reported and ends the reading there; a zoom
    // read is shown as the setting keeps it (within what tile services offer).
    bool TransferDataFromWindow() override;

private:
    using Text = const std::string& (ApiKeyPage::*)() const;
    using SetText = void (ApiKeyPage::*)(const std::string&);
    struct TextField {
        wxTextCtrl* Edit;
        Text Get;
        SetText Set;
    };

    // One layer's choice of service and its three fields.
    struct TileServiceField {
        wxChoice* Choice;
        wxTextCtrl* Url;
        wxTextCtrl* Attribution;
        wxTextCtrl* MaxZoom;
        std::vector<TileService> Services;
    };
    void FillFromService(const TileServiceField& field);
    void ShowMatchingService(const TileServiceField& field);

    ApiKeyPage& model_;
    std::vector<TextField> texts_;
    std::vector<TileServiceField> services_;
};

}  // namespace trackalbum
