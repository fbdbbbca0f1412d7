#include "shell/CPageGoogleAPIKey.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "pipeline/IntegerField.h"
#include "shell/ShellMessageBox.h"
#include "shell/ShellText.h"

namespace trackalbum {
namespace {

constexpr int Gap = 4;

}  // namespace

CPageGoogleAPIKey::CPageGoogleAPIKey(wxWindow* parent, ApiKeyPage& model) : wxPanel(parent, wxID_ANY), model_(model) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto textField = [this](const char* name, Text get, SetText set, int width = -1) {
        auto* edit = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(width, -1), 0, wxDefaultValidator,
                                    name);
        texts_.push_back({edit, get, set});
        return edit;
    };
    auto label = [this](const char* text) { return new wxStaticText(this, wxID_ANY, U8(text)); };

    auto* keyRow = new wxBoxSizer(wxHORIZONTAL);
    keyRow->Add(label("Google Maps API Key："), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    keyRow->Add(textField("APIKey", &ApiKeyPage::GetAPIKey, &ApiKeyPage::SetAPIKey), 1, wxALIGN_CENTER_VERTICAL);
    top->Add(keyRow, 0, wxEXPAND | wxALL, 2 * Gap);

    // The other settings go by their own names: the same names set them on the command line.
    auto* hostRow = new wxBoxSizer(wxHORIZONTAL);
    hostRow->Add(label("APIHost："), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    hostRow->Add(textField("APIHost", &ApiKeyPage::GetAPIHost, &ApiKeyPage::SetAPIHost), 1, wxALIGN_CENTER_VERTICAL);
    hostRow->Add(label("IconHost："), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, Gap);
    hostRow->Add(textField("IconHost", &ApiKeyPage::GetIconHost, &ApiKeyPage::SetIconHost), 1,
                 wxALIGN_CENTER_VERTICAL);
    top->Add(hostRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * Gap);

    auto* tiles = new wxFlexGridSizer(4, Gap, Gap);
    tiles->AddGrowableCol(1, 3);
    tiles->AddGrowableCol(2, 2);
    tiles->AddSpacer(0);
    for (const char* heading : {"Url", "Attribution", "MaxZoom"}) tiles->Add(label(heading));
    struct Layer {
        const char* name;
        Text url;
        SetText setUrl;
        Text attribution;
        SetText setAttribution;
        int (ApiKeyPage::*zoom)() const;
        void (ApiKeyPage::*setZoom)(int);
    };
    const Layer layers[] = {
        {"NormalTile", &ApiKeyPage::GetNormalTileUrl, &ApiKeyPage::SetNormalTileUrl,
         &ApiKeyPage::GetNormalTileAttribution, &ApiKeyPage::SetNormalTileAttribution,
         &ApiKeyPage::GetNormalTileMaxZoom, &ApiKeyPage::SetNormalTileMaxZoom},
        {"AerialTile", &ApiKeyPage::GetAerialTileUrl, &ApiKeyPage::SetAerialTileUrl,
         &ApiKeyPage::GetAerialTileAttribution, &ApiKeyPage::SetAerialTileAttribution,
         &ApiKeyPage::GetAerialTileMaxZoom, &ApiKeyPage::SetAerialTileMaxZoom},
        {"OverlayTile", &ApiKeyPage::GetOverlayTileUrl, &ApiKeyPage::SetOverlayTileUrl,
         &ApiKeyPage::GetOverlayTileAttribution, &ApiKeyPage::SetOverlayTileAttribution,
         &ApiKeyPage::GetOverlayTileMaxZoom, &ApiKeyPage::SetOverlayTileMaxZoom},
    };
    for (const Layer& layer : layers) {
        const std::string name = layer.name;
        tiles->Add(label(layer.name), 0, wxALIGN_CENTER_VERTICAL);
        tiles->Add(textField((name + "Url").c_str(), layer.url, layer.setUrl, FromDIP(300)), 1, wxEXPAND);
        tiles->Add(textField((name + "Attribution").c_str(), layer.attribution, layer.setAttribution, FromDIP(200)), 1,
                   wxEXPAND);
        auto* zoom = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(FromDIP(44), -1), 0,
                                    wxDefaultValidator, name + "MaxZoom");
        zooms_.push_back({zoom, layer.zoom, layer.setZoom});
        tiles->Add(zoom);
    }
    top->Add(tiles, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * Gap);
    SetSizerAndFit(top);
    TransferDataToWindow();
}

bool CPageGoogleAPIKey::TransferDataToWindow() {
    for (const TextField& field : texts_) field.edit->ChangeValue(U8((model_.*field.get)()));
    for (const TileZoomField& field : zooms_) field.edit->ChangeValue(wxString::Format("%d", (model_.*field.get)()));
    return true;
}

bool CPageGoogleAPIKey::TransferDataFromWindow() {
    for (const TextField& field : texts_) (model_.*field.set)(ToUtf8(field.edit->GetValue()));
    for (const TileZoomField& field : zooms_) {
        int zoom = 0;
        if (!ParseIntegerField(ToUtf8(field.edit->GetValue()), zoom)) {
            ShowMessageBox(IntegerFieldMessage, wxOK | wxICON_EXCLAMATION, this);
            field.edit->SetFocus();
            field.edit->SelectAll();
            return false;
        }
        (model_.*field.set)(zoom);
        // The setting holds only the zooms a tile service can offer; show what was kept.
        field.edit->ChangeValue(wxString::Format("%d", (model_.*field.get)()));
    }
    return true;
}

}  // namespace trackalbum
