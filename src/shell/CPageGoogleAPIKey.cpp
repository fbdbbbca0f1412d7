#include "shell/CPageGoogleAPIKey.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "pipeline/IntegerField.h"
#include "shell/ShellText.h"
#include "shell/WholeNumberValidator.h"

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

    auto* tiles = new wxFlexGridSizer(5, Gap, Gap);
    tiles->AddGrowableCol(2, 3);
    tiles->AddGrowableCol(3, 2);
    tiles->AddSpacer(0);
    for (const char* heading : {"サービス", "Url", "Attribution", "MaxZoom"}) tiles->Add(label(heading));
    struct Layer {
        const char* name;
        Text url;
        SetText setUrl;
        Text attribution;
        SetText setAttribution;
        int (ApiKeyPage::*zoom)() const;
        void (ApiKeyPage::*setZoom)(int);
        bool overlay;
    };
    const Layer layers[] = {
        {"NormalTile", &ApiKeyPage::GetNormalTileUrl, &ApiKeyPage::SetNormalTileUrl,
         &ApiKeyPage::GetNormalTileAttribution, &ApiKeyPage::SetNormalTileAttribution,
         &ApiKeyPage::GetNormalTileMaxZoom, &ApiKeyPage::SetNormalTileMaxZoom, false},
        {"AerialTile", &ApiKeyPage::GetAerialTileUrl, &ApiKeyPage::SetAerialTileUrl,
         &ApiKeyPage::GetAerialTileAttribution, &ApiKeyPage::SetAerialTileAttribution,
         &ApiKeyPage::GetAerialTileMaxZoom, &ApiKeyPage::SetAerialTileMaxZoom, false},
        {"OverlayTile", &ApiKeyPage::GetOverlayTileUrl, &ApiKeyPage::SetOverlayTileUrl,
         &ApiKeyPage::GetOverlayTileAttribution, &ApiKeyPage::SetOverlayTileAttribution,
         &ApiKeyPage::GetOverlayTileMaxZoom, &ApiKeyPage::SetOverlayTileMaxZoom, true},
    };
    for (const Layer& layer : layers) {
        const std::string name = layer.name;
        TileServiceField service{nullptr, nullptr, nullptr, nullptr, GetTileServiceChoices(layer.overlay)};
        wxArrayString labels;
        for (const TileService& s : service.Services) labels.Add(U8(std::string(s.Label)));
        labels.Add(U8(std::string(OtherTileServiceLabel)));
        service.Choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, labels, 0, wxDefaultValidator,
                                      name + "Service");
        service.Url = textField((name + "Url").c_str(), layer.url, layer.setUrl, FromDIP(300));
        service.Attribution = textField((name + "Attribution").c_str(), layer.attribution, layer.setAttribution,
                                        FromDIP(200));
        service.MaxZoom = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(FromDIP(44), -1), 0,
                                         WholeNumberValidator(model_, layer.zoom, layer.setZoom,
                                                              WholeNumberValidator::Keys::Any),
                                         name + "MaxZoom");
        tiles->Add(label(layer.name), 0, wxALIGN_CENTER_VERTICAL);
        tiles->Add(service.Choice, 0, wxALIGN_CENTER_VERTICAL);
        tiles->Add(service.Url, 1, wxEXPAND);
        tiles->Add(service.Attribution, 1, wxEXPAND);
        tiles->Add(service.MaxZoom);
        services_.push_back(std::move(service));
    }
    // Bound once the list stops growing: each handler keeps the index of its layer.
    for (size_t i = 0; i < services_.size(); ++i) {
        services_[i].Choice->Bind(wxEVT_CHOICE, [this, i](wxCommandEvent&) { FillFromService(services_[i]); });
        for (wxTextCtrl* edit : {services_[i].Url, services_[i].Attribution, services_[i].MaxZoom}) {
            edit->Bind(wxEVT_TEXT, [this, i](wxCommandEvent&) { ShowMatchingService(services_[i]); });
        }
    }
    top->Add(tiles, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * Gap);
    SetSizerAndFit(top);
    TransferDataToWindow();
}

bool CPageGoogleAPIKey::TransferDataToWindow() {
    for (const TextField& field : texts_) field.Edit->ChangeValue(U8((model_.*field.Get)()));
    for (const TileServiceField& field : services_) {
        ShowField(*field.MaxZoom);
        ShowMatchingService(field);
    }
    return true;
}

// "その他" leaves the fields as they are, to be typed.
void CPageGoogleAPIKey::FillFromService(const TileServiceField& field) {
    const auto chosen = static_cast<size_t>(field.Choice->GetSelection());
    if (chosen >= field.Services.size()) return;
    const TileService& service = field.Services[chosen];
    field.Url->ChangeValue(U8(std::string(service.Url)));
    field.Attribution->ChangeValue(U8(std::string(service.Attribution)));
    field.MaxZoom->ChangeValue(wxString::Format("%d", service.MaxZoom));
}

// A zoom that is no number matches no service: "その他" until it is corrected.
void CPageGoogleAPIKey::ShowMatchingService(const TileServiceField& field) {
    int zoom = 0;
    const bool number = ParseIntegerField(ToUtf8(field.MaxZoom->GetValue()), zoom);
    const TileLayer typed{ToUtf8(field.Url->GetValue()), ToUtf8(field.Attribution->GetValue()), zoom};
    const size_t match = number ? FindTileServiceChoice(field.Services, typed) : field.Services.size();
    field.Choice->SetSelection(static_cast<int>(match));
}

bool CPageGoogleAPIKey::TransferDataFromWindow() {
    for (const TextField& field : texts_) (model_.*field.Set)(ToUtf8(field.Edit->GetValue()));
    for (const TileServiceField& field : services_) {
        if (!ReadField(*field.MaxZoom, *this)) return false;
        ShowField(*field.MaxZoom);
    }
    return true;
}

}  // namespace trackalbum
