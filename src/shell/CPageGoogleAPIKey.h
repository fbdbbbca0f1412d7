#pragma once
// The "Google API Key" page: the map API key, and where the pages load the map script and
// the player's icons from, bound to its ApiKeyPage.
#include <wx/panel.h>

#include "pipeline/ApiKeyPage.h"

class wxTextCtrl;

namespace trackalbum {

class CPageGoogleAPIKey : public wxPanel {
public:
    CPageGoogleAPIKey(wxWindow* parent, ApiKeyPage& model);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    ApiKeyPage& model_;
    wxTextCtrl* apiKey_ = nullptr;
    wxTextCtrl* apiHost_ = nullptr;
    wxTextCtrl* iconHost_ = nullptr;
};

}  // namespace trackalbum
