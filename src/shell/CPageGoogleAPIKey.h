#pragma once
// The "Google API Key" page: the map API key, where the pages load the map script and the
// player's icons from, and the tile services of the map runtime; bound to its ApiKeyPage.
#include <string>
#include <vector>

#include <wx/panel.h>

#include "pipeline/ApiKeyPage.h"

class wxTextCtrl;

namespace trackalbum {

class CPageGoogleAPIKey : public wxPanel {
public:
    CPageGoogleAPIKey(wxWindow* parent, ApiKeyPage& model);

    bool TransferDataToWindow() override;
    // A highest zoom that is no whole number is reported and ends the reading there.
    bool TransferDataFromWindow() override;

private:
    using Text = const std::string& (ApiKeyPage::*)() const;
    using SetText = void (ApiKeyPage::*)(const std::string&);
    struct TextField {
        wxTextCtrl* edit;
        Text get;
        SetText set;
    };
    struct TileZoomField {
        wxTextCtrl* edit;
        int (ApiKeyPage::*get)() const;
        void (ApiKeyPage::*set)(int);
    };

    ApiKeyPage& model_;
    std::vector<TextField> texts_;
    std::vector<TileZoomField> zooms_;
};

}  // namespace trackalbum
