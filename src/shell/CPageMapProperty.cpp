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
#include <wx/valtext.h>

#include "pipeline/IntegerField.h"
#include "shell/CColorSwatch.h"
#include "shell/ShellMessageBox.h"
#include "shell/ShellText.h"

namespace trackalbum {
namespace {

constexpr int Gap = 4;

wxString Number(int value) { return wxString::Format("%d", value); }

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

wxSizer* CPageMapProperty::CreateColorRow(ColorControls& colors, const char* name, const wxString& label) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    colors.label = new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, 0,
                                    wxString(name) + "Label");
    colors.swatch = new CColorSwatch(this);
    colors.swatch->SetName(wxString(name) + "Swatch");
    colors.button = new wxButton(this, wxID_ANY, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT,
                                 wxDefaultValidator, wxString(name) + "Button");
    colors.button->Bind(wxEVT_BUTTON, [this, &colors](wxCommandEvent&) { OnColorButton(colors); });
    row->Add(colors.label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    row->AddStretchSpacer();
    row->Add(colors.swatch, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    row->Add(colors.button, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

void CPageMapProperty::CreateControls() {
    const wxTextValidator digits(wxFILTER_DIGITS);
    const wxSize numberSize(FromDIP(52), -1);
    auto numberField = [&](wxWindow* parent, const char* name, bool digitsOnly) {
        return new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, numberSize, 0,
                              digitsOnly ? static_cast<const wxValidator&>(digits) : wxDefaultValidator, name);
    };
    auto spin = [](wxWindow* parent, const char* name) {
        auto* button = new wxSpinButton(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL, name);
        // The value is never used: each step is vetoed and applied to the page's own value.
        button->SetRange(-1000, 1000);
        button->SetValue(0);
        return button;
    };
    auto label = [](wxWindow* parent, const wxString& text) { return new wxStaticText(parent, wxID_ANY, text); };

    // Map type and controller.
    auto* typeBox = new wxStaticBoxSizer(wxVERTICAL, this, U8("地図タイプ"));
    wxWindow* typeParent = typeBox->GetStaticBox();
    auto* typeRow = new wxBoxSizer(wxHORIZONTAL);
    mapType_ = new wxChoice(typeParent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                            wxDefaultValidator, "MapType");
    for (int type = 0; type <= 2; ++type) mapType_->Append(U8(MapPropertyPage::GetMapTypeName(type)));
    typeRow->Add(label(typeParent, U8("初期表示")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    typeRow->Add(mapType_, 1, wxALIGN_CENTER_VERTICAL);
    typeBox->Add(typeRow, 0, wxEXPAND | wxALL, Gap);
    mapTypeBtn_ = new wxCheckBox(typeParent, wxID_ANY, U8("切り替えボタンの表示"), wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "MapTypeBtn");
    typeBox->Add(mapTypeBtn_, 0, wxALL, Gap);

    auto* controllerBox = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("マップコントローラー"));
    const char* controllerLabels[3] = {"なし", "大", "小"};
    for (int i = 0; i < 3; ++i) {
        controller_[i] = new wxRadioButton(controllerBox->GetStaticBox(), wxID_ANY, U8(controllerLabels[i]),
                                           wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0,
                                           wxDefaultValidator, wxString::Format("Controller%d", i));
        controllerBox->Add(controller_[i], 0, wxALL, Gap);
    }
    auto* column1 = new wxBoxSizer(wxVERTICAL);
    column1->Add(typeBox, 0, wxEXPAND);
    column1->Add(controllerBox, 0, wxEXPAND | wxTOP, Gap);

    // Zoom and the route.
    auto* zoomBox = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("ズームレベル"));
    wxWindow* zoomParent = zoomBox->GetStaticBox();
    autoZoom_ = new wxCheckBox(zoomParent, wxID_ANY, U8("おまかせ"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "AutoZoom");
    zoomLevel_ = numberField(zoomParent, "ZoomLevel", true);
    zoomSpin_ = spin(zoomParent, "ZoomSpin");
    zoomBox->Add(autoZoom_, 0, wxALIGN_CENTER_VERTICAL | wxALL, Gap);
    zoomBox->Add(zoomLevel_, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, Gap);
    zoomBox->Add(zoomSpin_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);

    auto* widthRow = new wxBoxSizer(wxHORIZONTAL);
    pathWidth_ = numberField(this, "PathWidth", false);
    pathWidthSpin_ = spin(this, "PathWidthSpin");
    widthRow->Add(label(this, U8("幅：")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap);
    widthRow->AddStretchSpacer();
    widthRow->Add(pathWidth_, 0, wxALIGN_CENTER_VERTICAL);
    widthRow->Add(pathWidthSpin_, 0, wxALIGN_CENTER_VERTICAL);
    auto* column2 = new wxBoxSizer(wxVERTICAL);
    column2->Add(zoomBox, 0, wxEXPAND);
    column2->Add(CreateColorRow(path_, "PathColor", U8("色：")), 0, wxEXPAND | wxTOP, 2 * Gap);
    column2->Add(widthRow, 0, wxEXPAND | wxTOP, Gap);

    // Map size on the pages without the profile.
    auto* sizeBox = new wxStaticBoxSizer(wxVERTICAL, this, U8("表示サイズ"));
    wxWindow* sizeParent = sizeBox->GetStaticBox();
    const char* typeLabels[2] = {"率(%)を指定", "ピクセルを指定"};
    for (int i = 0; i < 2; ++i) {
        displayType_[i] = new wxRadioButton(sizeParent, wxID_ANY, U8(typeLabels[i]), wxDefaultPosition,
                                            wxDefaultSize, i == 0 ? wxRB_GROUP : 0, wxDefaultValidator,
                                            wxString::Format("DisplayType%d", i));
        sizeBox->Add(displayType_[i], 0, wxLEFT | wxRIGHT | wxTOP, Gap);
    }
    auto* sizeRow = new wxBoxSizer(wxHORIZONTAL);
    displayWidth_ = numberField(sizeParent, "DisplayWidth", true);
    displayHeight_ = numberField(sizeParent, "DisplayHeight", true);
    sizeRow->Add(label(sizeParent, U8("(横)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    sizeRow->Add(displayWidth_, 0, wxALIGN_CENTER_VERTICAL);
    sizeRow->Add(label(sizeParent, U8("×")), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, Gap);
    sizeRow->Add(label(sizeParent, U8("(縦)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    sizeRow->Add(displayHeight_, 0, wxALIGN_CENTER_VERTICAL);
    sizeBox->Add(sizeRow, 0, wxALL, Gap);

    // The profile pages: grade colours, the icon trace and the map size.
    coloring_ = new wxCheckBox(this, wxID_ANY, U8("アップダウンの色分けをする"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "Coloring");
    iconTrace_ = new wxCheckBox(this, wxID_ANY, U8("アイコンによるトレースをする"), wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "IconTrace");
    auto* gradeColumn = new wxBoxSizer(wxVERTICAL);
    gradeColumn->Add(coloring_, 0, wxBOTTOM, Gap);
    gradeColumn->Add(CreateColorRow(up_, "UpColor", U8("上り：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    gradeColumn->Add(CreateColorRow(down_, "DownColor", U8("下り：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    gradeColumn->Add(CreateColorRow(flat_, "FlatColor", U8("平地：")), 0, wxEXPAND | wxLEFT | wxBOTTOM, Gap);
    gradeColumn->Add(iconTrace_, 0, wxTOP, Gap);

    auto* profBox = new wxStaticBoxSizer(wxVERTICAL, this, U8("プロファイル用サイズ(ピクセル)"));
    wxWindow* profParent = profBox->GetStaticBox();
    profWidth_ = numberField(profParent, "ProfWidth", true);
    profHeight_ = numberField(profParent, "ProfHeight", true);
    auto* profRow = new wxBoxSizer(wxHORIZONTAL);
    profRow->Add(label(profParent, U8("(横)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    profRow->Add(profWidth_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * Gap);
    profRow->Add(label(profParent, U8("(縦)")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
    profRow->Add(profHeight_, 0, wxALIGN_CENTER_VERTICAL);
    profBox->Add(profRow, 0, wxALL, Gap);
    // A box is not widened for its own label; this one is longer than its fields.
    profBox->SetMinSize(wxSize(profParent->GetTextExtent(profBox->GetStaticBox()->GetLabel()).x + 4 * Gap, -1));
    auto* column3 = new wxBoxSizer(wxVERTICAL);
    column3->Add(sizeBox, 0, wxEXPAND);
    column3->Add(profBox, 0, wxEXPAND | wxTOP, Gap);

    // Map controls.
    scale_ = new wxCheckBox(this, wxID_ANY, U8("縮尺表示"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Scale");
    overview_ = new wxCheckBox(this, wxID_ANY, U8("オーバービュー表示"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "Overview");
    japanese_ = new wxCheckBox(this, wxID_ANY, U8("日本語表示"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                               "Japanese");
    auto* column5 = new wxBoxSizer(wxVERTICAL);
    for (wxCheckBox* check : {scale_, overview_, japanese_}) column5->Add(check, 0, wxBOTTOM, Gap);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(column1, 0, wxALL, Gap);
    top->Add(column2, 0, wxALL, Gap);
    top->Add(column3, 0, wxALL, Gap);
    top->Add(gradeColumn, 0, wxALL, Gap);
    top->Add(column5, 0, wxALL, Gap);
    SetSizerAndFit(top);

    mapType_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { model_.SetMapType(mapType_->GetSelection()); });
    autoZoom_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateZoomControls(); });
    coloring_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateColorControls(); });
    auto bindSpin = [this](wxSpinButton* button, wxTextCtrl* field, int (MapPropertyPage::*get)() const,
                           void (MapPropertyPage::*store)(int), void (MapPropertyPage::*step)(int)) {
        auto handler = [=, this](wxSpinEvent& event) { OnSpin(event, field, get, store, step); };
        button->Bind(wxEVT_SPIN_UP, handler);
        button->Bind(wxEVT_SPIN_DOWN, handler);
    };
    bindSpin(zoomSpin_, zoomLevel_, &MapPropertyPage::GetZoomLevel, &MapPropertyPage::StoreZoomLevel,
             &MapPropertyPage::StepZoomLevel);
    bindSpin(pathWidthSpin_, pathWidth_, &MapPropertyPage::GetPathWidth, &MapPropertyPage::StorePathWidth,
             &MapPropertyPage::StepPathWidth);
}

bool CPageMapProperty::TransferDataToWindow() {
    mapType_->SetSelection(model_.GetMapType());
    mapTypeBtn_->SetValue(model_.GetMapTypeBtn() != 0);
    pathWidth_->ChangeValue(Number(model_.GetPathWidth()));
    // A stored controller beyond the three buttons draws none, as "なし" does.
    const int controller = model_.GetController();
    controller_[controller >= 0 && controller <= 2 ? controller : 0]->SetValue(true);
    zoomLevel_->ChangeValue(Number(model_.GetZoomLevel()));
    autoZoom_->SetValue(model_.GetAutoZoom() != 0);
    displayType_[model_.GetDisplayType() == 1 ? 1 : 0]->SetValue(true);
    displayWidth_->ChangeValue(Number(model_.GetDisplayWidth()));
    displayHeight_->ChangeValue(Number(model_.GetDisplayHeight()));
    coloring_->SetValue(model_.GetColoring() != 0);
    iconTrace_->SetValue(model_.GetIconTrace() != 0);
    profWidth_->ChangeValue(Number(model_.GetProfWidth()));
    profHeight_->ChangeValue(Number(model_.GetProfHeight()));
    scale_->SetValue(model_.GetScale() != 0);
    overview_->SetValue(model_.GetOverview() != 0);
    japanese_->SetValue(model_.GetJapanese() != 0);
    for (ColorControls* colors : {&path_, &up_, &down_, &flat_}) colors->swatch->SetColor((model_.*colors->get)());
    UpdateZoomControls();
    UpdateColorControls();
    return true;
}

bool CPageMapProperty::ReadNumber(wxTextCtrl* field, int& value) {
    if (ParseIntegerField(ToUtf8(field->GetValue()), value)) return true;
    ShowMessageBox(IntegerFieldMessage, wxOK | wxICON_EXCLAMATION, this);
    field->SetFocus();
    field->SelectAll();
    return false;
}

bool CPageMapProperty::TransferDataFromWindow() {
    model_.SetMapType(mapType_->GetSelection());
    model_.SetMapTypeBtn(mapTypeBtn_->GetValue());
    int number = 0;
    if (!ReadNumber(pathWidth_, number)) return false;
    model_.StorePathWidth(number);
    for (int i = 0; i < 3; ++i)
        if (controller_[i]->GetValue()) model_.SetController(i);
    if (!ReadNumber(zoomLevel_, number)) return false;
    model_.StoreZoomLevel(number);
    model_.SetAutoZoom(autoZoom_->GetValue());
    model_.SetDisplayType(displayType_[1]->GetValue() ? 1 : 0);
    if (!ReadNumber(displayWidth_, number)) return false;
    model_.SetDisplayWidth(number);
    if (!ReadNumber(displayHeight_, number)) return false;
    model_.SetDisplayHeight(number);
    model_.SetColoring(coloring_->GetValue());
    model_.SetIconTrace(iconTrace_->GetValue());
    if (!ReadNumber(profWidth_, number)) return false;
    model_.SetProfWidth(number);
    if (!ReadNumber(profHeight_, number)) return false;
    model_.SetProfHeight(number);
    model_.SetScale(scale_->GetValue());
    model_.SetOverview(overview_->GetValue());
    model_.SetJapanese(japanese_->GetValue());
    return true;
}

void CPageMapProperty::UpdateZoomControls() {
    model_.SetAutoZoom(autoZoom_->GetValue());
    const bool enable = model_.IsZoomFieldEnabled();
    zoomLevel_->Enable(enable);
    zoomSpin_->Enable(enable);
}

void CPageMapProperty::UpdateColorControls() {
    model_.SetColoring(coloring_->GetValue());
    const bool enable = model_.AreGradeColorsEnabled();
    for (ColorControls* colors : {&up_, &down_, &flat_}) {
        colors->button->Enable(enable);
        colors->label->Enable(enable);
    }
}

void CPageMapProperty::OnColorButton(ColorControls& colors) {
    const std::optional<Color> chosen = chooser_(this, (model_.*colors.get)());
    if (!chosen) return;
    (model_.*colors.set)(*chosen);
    colors.swatch->SetColor((model_.*colors.get)());
}

void CPageMapProperty::OnSpin(wxSpinEvent& event, wxTextCtrl* field, int (MapPropertyPage::*get)() const,
                              void (MapPropertyPage::*store)(int), void (MapPropertyPage::*step)(int)) {
    // The field's text may have been typed since it was last read; an unreadable text
    // steps from the value the page holds.
    int typed = 0;
    if (ParseIntegerField(ToUtf8(field->GetValue()), typed)) (model_.*store)(typed);
    (model_.*step)(event.GetEventType() == wxEVT_SPIN_UP ? -1 : 1);
    field->ChangeValue(Number((model_.*get)()));
    event.Veto();
}

}  // namespace trackalbum
