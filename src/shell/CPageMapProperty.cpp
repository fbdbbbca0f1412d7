#include "shell/CPageMapProperty.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "shell/CColorSwatch.h"
#include "shell/EnableWhen.h"
#include "shell/ShellText.h"
#include "shell/WholeNumberValidator.h"

namespace trackalbum {
namespace {

constexpr int Gap = 4;

wxStaticText* Label(wxWindow* parent, const wxString& text) { return new wxStaticText(parent, wxID_ANY, text); }

}  // namespace

CPageMapProperty::CPageMapProperty(wxWindow* parent, MapPropertyPage& model)
    : wxPanel(parent, wxID_ANY), model_(model) {
    path_ = {nullptr, nullptr, nullptr, &MapPropertyPage::GetPathColor, &MapPropertyPage::SetPathColor};
    up_ = {nullptr, nullptr, nullptr, &MapPropertyPage::GetUpColor, &MapPropertyPage::SetUpColor};
    down_ = {nullptr, nullptr, nullptr, &MapPropertyPage::GetDownColor, &MapPropertyPage::SetDownColor};
    flat_ = {nullptr, nullptr, nullptr, &MapPropertyPage::GetFlatColor, &MapPropertyPage::SetFlatColor};
    CreateControls();
    TransferDataToWindow();
}

std::optional<Color> CPageMapProperty::ChooseSystemColor(wxWindow* parent, Color current) {
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(ToWxColour(current));
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return FromWxColour(dialog.GetColourData().GetColour());
}

void CPageMapProperty::CreateControls() {
    // Made in the order the Tab key visits them, which is not quite the order they are shown in.
    wxSizer* mapType = CreateMapTypeBox();
    wxSizer* controller = CreateControllerBox();
    wxSizer* zoom = CreateZoomBox();
    wxSizer* route = CreateRouteRows();
    wxSizer* displaySize = CreateDisplaySizeBox();
    wxSizer* grades = CreateGradeColumn();
    wxSizer* profileSize = CreateProfileSizeBox();
    wxSizer* mapControls = CreateMapControlChecks();

    wxSizer* column1 = new wxBoxSizer(wxVERTICAL);
    column1->Add(mapType, 0, wxEXPAND);
    column1->Add(controller, 0, wxEXPAND | wxTOP, Gap);
    wxSizer* column2 = new wxBoxSizer(wxVERTICAL);
    column2->Add(zoom, 0, wxEXPAND);
    column2->Add(route, 0, wxEXPAND);
    wxSizer* column3 = new wxBoxSizer(wxVERTICAL);
    column3->Add(displaySize, 0, wxEXPAND);
    column3->Add(profileSize, 0, wxEXPAND | wxTOP, Gap);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    for (wxSizer* column : {column1, column2, column3, grades, mapControls}) top->Add(column, 0, wxALL, Gap);
    SetSizerAndFit(top);
    BindHandlers();
    DeclareEnabling();
}

wxSizer* CPageMapProperty::CreateMapTypeBox() {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, U8("地図タイプ"));
    wxWindow* parent = box->GetStaticBox();
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    mapType_ = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0, wxDefaultValidator,
                            "MapType");
    for (int type = 0; type <= 2; ++type) mapType_->Append(U8(MapPropertyPage::GetMapTypeName(type)));
    row->Add(Label(parent, U8("初期表示")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    row->Add(mapType_, 1, wxALIGN_CENTER_VERTICAL);
    box->Add(row, 0, wxEXPAND | wxALL, Gap);
    mapTypeBtn_ = new wxCheckBox(parent, wxID_ANY, U8("切り替えボタンの表示"), wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "MapTypeBtn");
    box->Add(mapTypeBtn_, 0, wxALL, Gap);
    return box;
}

wxSizer* CPageMapProperty::CreateControllerBox() {
    auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("マップコントローラー"));
    const char* labels[3] = {"なし", "大", "小"};
    for (int i = 0; i < 3; ++i) {
        controller_[i] = new wxRadioButton(box->GetStaticBox(), wxID_ANY, U8(labels[i]), wxDefaultPosition,
                                           wxDefaultSize, i == 0 ? wxRB_GROUP : 0, wxDefaultValidator,
                                           wxString::Format("Controller%d", i));
        box->Add(controller_[i], 0, wxALL, Gap);
    }
    return box;
}

wxSizer* CPageMapProperty::CreateZoomBox() {
    auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("ズームレベル"));
    wxWindow* parent = box->GetStaticBox();
    autoZoom_ = new wxCheckBox(parent, wxID_ANY, U8("おまかせ"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "AutoZoom");
    zoomLevel_ = CreateNumberField(parent, "ZoomLevel", &MapPropertyPage::GetZoomLevel,
                                   &MapPropertyPage::StoreZoomLevel, true);
    zoomSpin_ = CreateSpin(parent, "ZoomSpin", zoomLevel_, &MapPropertyPage::StepZoomLevel);
    box->Add(autoZoom_, 0, wxALIGN_CENTER_VERTICAL | wxALL, Gap);
    box->Add(zoomLevel_, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, Gap);
    box->Add(zoomSpin_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    return box;
}

wxSizer* CPageMapProperty::CreateRouteRows() {
    auto* width = new wxBoxSizer(wxHORIZONTAL);
    pathWidth_ = CreateNumberField(this, "PathWidth", &MapPropertyPage::GetPathWidth,
                                   &MapPropertyPage::StorePathWidth, false);
    pathWidthSpin_ = CreateSpin(this, "PathWidthSpin", pathWidth_, &MapPropertyPage::StepPathWidth);
    width->Add(Label(this, U8("幅：")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    width->AddStretchSpacer();
    width->Add(pathWidth_, 0, wxALIGN_CENTER_VERTICAL);
    width->Add(pathWidthSpin_, 0, wxALIGN_CENTER_VERTICAL);
    auto* rows = new wxBoxSizer(wxVERTICAL);
    rows->Add(CreateColorRow(path_, "PathColor", U8("色：")), 0, wxEXPAND | wxTOP, 2 * Gap);
    rows->Add(width, 0, wxEXPAND | wxTOP, Gap);
    return rows;
}

wxSizer* CPageMapProperty::CreateDisplaySizeBox() {
    // The map's size on the pages without the profile.
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, U8("表示サイズ"));
    wxWindow* parent = box->GetStaticBox();
    const char* labels[2] = {"率(%)を指定", "ピクセルを指定"};
    for (int i = 0; i < 2; ++i) {
        displayType_[i] = new wxRadioButton(parent, wxID_ANY, U8(labels[i]), wxDefaultPosition, wxDefaultSize,
                                            i == 0 ? wxRB_GROUP : 0, wxDefaultValidator,
                                            wxString::Format("DisplayType%d", i));
        box->Add(displayType_[i], 0, wxLEFT | wxRIGHT | wxTOP, Gap);
    }
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    displayWidth_ = CreateNumberField(parent, "DisplayWidth", &MapPropertyPage::GetDisplayWidth,
                                      &MapPropertyPage::SetDisplayWidth, true);
    displayHeight_ = CreateNumberField(parent, "DisplayHeight", &MapPropertyPage::GetDisplayHeight,
                                       &MapPropertyPage::SetDisplayHeight, true);
    row->Add(Label(parent, U8("(横)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    row->Add(displayWidth_, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(Label(parent, U8("×")), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, Gap);
    row->Add(Label(parent, U8("(縦)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    row->Add(displayHeight_, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(row, 0, wxALL, Gap);
    return box;
}

wxSizer* CPageMapProperty::CreateGradeColumn() {
    // The profile pages' route: coloured by grade, and traced by an icon.
    coloring_ = new wxCheckBox(this, wxID_ANY, U8("アップダウンの色分けをする"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "Coloring");
    iconTrace_ = new wxCheckBox(this, wxID_ANY, U8("アイコンによるトレースをする"), wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "IconTrace");
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(coloring_, 0, wxBOTTOM, Gap);
    column->Add(CreateColorRow(up_, "UpColor", U8("上り：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    column->Add(CreateColorRow(down_, "DownColor", U8("下り：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    column->Add(CreateColorRow(flat_, "FlatColor", U8("平地：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    column->Add(iconTrace_, 0, wxTOP, Gap);
    return column;
}

wxSizer* CPageMapProperty::CreateProfileSizeBox() {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, U8("プロファイル用サイズ(ピクセル)"));
    wxWindow* parent = box->GetStaticBox();
    profWidth_ = CreateNumberField(parent, "ProfWidth", &MapPropertyPage::GetProfWidth,
                                   &MapPropertyPage::SetProfWidth, true);
    profHeight_ = CreateNumberField(parent, "ProfHeight", &MapPropertyPage::GetProfHeight,
                                    &MapPropertyPage::SetProfHeight, true);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(Label(parent, U8("(横)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    row->Add(profWidth_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * Gap);
    row->Add(Label(parent, U8("(縦)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    row->Add(profHeight_, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(row, 0, wxALL, Gap);
    // A box is not widened for its own label; this one is longer than its fields.
    box->SetMinSize(wxSize(parent->GetTextExtent(box->GetStaticBox()->GetLabel()).x + 4 * Gap, -1));
    return box;
}

wxSizer* CPageMapProperty::CreateMapControlChecks() {
    scale_ = new wxCheckBox(this, wxID_ANY, U8("縮尺表示"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Scale");
    overview_ = new wxCheckBox(this, wxID_ANY, U8("オーバービュー表示"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "Overview");
    japanese_ = new wxCheckBox(this, wxID_ANY, U8("日本語表示"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                               "Japanese");
    auto* column = new wxBoxSizer(wxVERTICAL);
    for (wxCheckBox* check : {scale_, overview_, japanese_}) column->Add(check, 0, wxBOTTOM, Gap);
    return column;
}

wxSizer* CPageMapProperty::CreateColorRow(ColorControls& colors, const char* name, const wxString& label) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    colors.Label = new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, 0,
                                    wxString(name) + "Label");
    colors.Swatch = new CColorSwatch(this);
    colors.Swatch->SetName(wxString(name) + "Swatch");
    colors.Button = new wxButton(this, wxID_ANY, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT,
                                 wxDefaultValidator, wxString(name) + "Button");
    colors.Button->Bind(wxEVT_BUTTON, [this, &colors](wxCommandEvent&) { OnColorButton(colors); });
    row->Add(colors.Label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    row->AddStretchSpacer();
    row->Add(colors.Swatch, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    row->Add(colors.Button, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

wxTextCtrl* CPageMapProperty::CreateNumberField(wxWindow* parent, const char* name,
                                                int (MapPropertyPage::*get)() const,
                                                void (MapPropertyPage::*store)(int), bool digitsOnly) {
    using Keys = WholeNumberValidator::Keys;
    return new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxSize(FromDIP(52), -1), 0,
                          WholeNumberValidator(model_, get, store, digitsOnly ? Keys::DigitsOnly : Keys::Any), name);
}

wxSpinButton* CPageMapProperty::CreateSpin(wxWindow* parent, const char* name, wxTextCtrl* field,
                                           void (MapPropertyPage::*step)(int)) {
    auto* spin = new wxSpinButton(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL, name);
    // The value is never used: each step is vetoed and applied to the page's own value.
    spin->SetRange(-1000, 1000);
    spin->SetValue(0);
    auto handler = [this, field, step](wxSpinEvent& event) { OnSpin(event, field, step); };
    spin->Bind(wxEVT_SPIN_UP, handler);
    spin->Bind(wxEVT_SPIN_DOWN, handler);
    return spin;
}

void CPageMapProperty::BindHandlers() {
    mapType_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { model_.SetMapType(mapType_->GetSelection()); });
    // Each of the two boxes stores its own value alone; the controls they govern follow the rules.
    autoZoom_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        model_.SetAutoZoom(autoZoom_->GetValue());
        UpdateEnabling(*this);
    });
    coloring_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        model_.SetColoring(coloring_->GetValue());
        UpdateEnabling(*this);
    });
}

void CPageMapProperty::DeclareEnabling() {
    EnableWhen({zoomLevel_, zoomSpin_}, [this] { return model_.IsZoomFieldEnabled(); });
    EnableWhen({up_.Button, up_.Label, down_.Button, down_.Label, flat_.Button, flat_.Label},
               [this] { return model_.AreGradeColorsEnabled(); });
}

bool CPageMapProperty::TransferDataToWindow() {
    mapType_->SetSelection(model_.GetMapType());
    mapTypeBtn_->SetValue(model_.GetMapTypeBtn() != 0);
    // A stored controller beyond the three buttons draws none, as "なし" does.
    const int controller = model_.GetController();
    controller_[controller >= 0 && controller <= 2 ? controller : 0]->SetValue(true);
    autoZoom_->SetValue(model_.GetAutoZoom() != 0);
    displayType_[model_.GetDisplayType() == 1 ? 1 : 0]->SetValue(true);
    coloring_->SetValue(model_.GetColoring() != 0);
    iconTrace_->SetValue(model_.GetIconTrace() != 0);
    scale_->SetValue(model_.GetScale() != 0);
    overview_->SetValue(model_.GetOverview() != 0);
    japanese_->SetValue(model_.GetJapanese() != 0);
    for (wxTextCtrl* field : {pathWidth_, zoomLevel_, displayWidth_, displayHeight_, profWidth_, profHeight_})
        ShowField(*field);
    for (ColorControls* colors : {&path_, &up_, &down_, &flat_}) colors->Swatch->SetColor((model_.*colors->Get)());
    UpdateEnabling(*this);
    return true;
}

bool CPageMapProperty::TransferDataFromWindow() {
    model_.SetMapType(mapType_->GetSelection());
    model_.SetMapTypeBtn(mapTypeBtn_->GetValue());
    if (!ReadField(*pathWidth_, *this)) return false;
    for (int i = 0; i < 3; ++i)
        if (controller_[i]->GetValue()) model_.SetController(i);
    if (!ReadField(*zoomLevel_, *this)) return false;
    model_.SetAutoZoom(autoZoom_->GetValue());
    model_.SetDisplayType(displayType_[1]->GetValue() ? 1 : 0);
    if (!ReadField(*displayWidth_, *this) || !ReadField(*displayHeight_, *this)) return false;
    model_.SetColoring(coloring_->GetValue());
    model_.SetIconTrace(iconTrace_->GetValue());
    if (!ReadField(*profWidth_, *this) || !ReadField(*profHeight_, *this)) return false;
    model_.SetScale(scale_->GetValue());
    model_.SetOverview(overview_->GetValue());
    model_.SetJapanese(japanese_->GetValue());
    return true;
}

void CPageMapProperty::OnColorButton(ColorControls& colors) {
    const std::optional<Color> chosen = chooser_(this, (model_.*colors.Get)());
    if (!chosen) return;
    (model_.*colors.Set)(*chosen);
    colors.Swatch->SetColor((model_.*colors.Get)());
}

void CPageMapProperty::OnSpin(wxSpinEvent& event, wxTextCtrl* field, void (MapPropertyPage::*step)(int)) {
    // The field's text may have been typed since it was last read; an unreadable text
    // steps from the value the page holds.
    field->GetValidator()->TransferFromWindow();
    (model_.*step)(event.GetEventType() == wxEVT_SPIN_UP ? -1 : 1);
    ShowField(*field);
    event.Veto();
}

}  // namespace trackalbum
