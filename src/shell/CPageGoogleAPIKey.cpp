#include "shell/CPageGoogleAPIKey.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "shell/ShellText.h"

namespace trackalbum {

CPageGoogleAPIKey::CPageGoogleAPIKey(wxWindow* parent, ApiKeyPage& model) : wxPanel(parent, wxID_ANY), model_(model) {
    constexpr int Gap = 4;
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, L"Google Maps API Key："), 0, wxLEFT | wxRIGHT | wxTOP, 2 * Gap);
    apiKey_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(FromDIP(480), -1), 0, wxDefaultValidator,
                             "APIKey");
    top->Add(apiKey_, 0, wxEXPAND | wxALL, 2 * Gap);

    // The settings' own names: they are set the same way on the command line.
    auto* hosts = new wxFlexGridSizer(2, Gap, 2 * Gap);
    hosts->AddGrowableCol(1);
    auto addHost = [&](const wxString& label, const char* name) {
        auto* field = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, name);
        hosts->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        hosts->Add(field, 1, wxEXPAND);
        return field;
    };
    apiHost_ = addHost(L"APIHost：", "APIHost");
    iconHost_ = addHost(L"IconHost：", "IconHost");
    top->Add(hosts, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * Gap);
    SetSizerAndFit(top);
    TransferDataToWindow();
}

bool CPageGoogleAPIKey::TransferDataToWindow() {
    apiKey_->ChangeValue(U8(model_.GetAPIKey()));
    apiHost_->ChangeValue(U8(model_.GetAPIHost()));
    iconHost_->ChangeValue(U8(model_.GetIconHost()));
    return true;
}

bool CPageGoogleAPIKey::TransferDataFromWindow() {
    model_.SetAPIKey(ToUtf8(apiKey_->GetValue()));
    model_.SetAPIHost(ToUtf8(apiHost_->GetValue()));
    model_.SetIconHost(ToUtf8(iconHost_->GetValue()));
    return true;
}

}  // namespace trackalbum
