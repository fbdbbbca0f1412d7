#pragma once
// The "地図設定" page: the look of the map and the route, bound to its MapPropertyPage.
#include <functional>
#include <optional>

#include <wx/panel.h>

#include "pipeline/MapPropertyPage.h"

class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxSizer;
class wxSpinButton;
class wxSpinEvent;
class wxStaticText;
class wxTextCtrl;
class wxButton;

namespace trackalbum {

class CColorSwatch;

class CPageMapProperty : public wxPanel {
public:
    CPageMapProperty(wxWindow* parent, MapPropertyPage& model);

    // Model -> controls.
    bool TransferDataToWindow() override;
    // Controls -> model in the page's exchange order. A number field that cannot be read
    // is reported and ends the reading there: the values before it are kept, those after
    // it keep their previous contents. Returns false then.
    bool TransferDataFromWindow() override;

    // Asks for a colour, starting from `current`; nothing when cancelled. The system
    // colour chooser unless another is given.
    using ColorChooser = std::function<std::optional<Color>(wxWindow* parent, Color current)>;
    static std::optional<Color> ChooseSystemColor(wxWindow* parent, Color current);
    void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

private:
    struct ColorControls {
        wxStaticText* Label = nullptr;
        CColorSwatch* Swatch = nullptr;
        wxButton* Button = nullptr;
        Color (MapPropertyPage::*Get)() const = nullptr;
        void (MapPropertyPage::*Set)(Color) = nullptr;
    };

    void CreateControls();
    wxSizer* CreateMapTypeBox();
    wxSizer* CreateControllerBox();
    wxSizer* CreateZoomBox();
    wxSizer* CreateRouteRows();
    wxSizer* CreateDisplaySizeBox();
    wxSizer* CreateGradeColumn();
    wxSizer* CreateProfileSizeBox();
    wxSizer* CreateMapControlChecks();
    wxSizer* CreateColorRow(ColorControls& colors, const char* name, const wxString& label);
    wxTextCtrl* CreateNumberField(wxWindow* parent, const char* name, int (MapPropertyPage::*get)() const,
                                  void (MapPropertyPage::*store)(int), bool digitsOnly);
    wxSpinButton* CreateSpin(wxWindow* parent, const char* name, wxTextCtrl* field,
                             void (MapPropertyPage::*step)(int));
    void BindHandlers();
    void DeclareEnabling();
    void OnColorButton(ColorControls& colors);
    void OnSpin(wxSpinEvent& event, wxTextCtrl* field, void (MapPropertyPage::*step)(int));

    MapPropertyPage& model_;
    ColorChooser chooser_ = &CPageMapProperty::ChooseSystemColor;

    wxChoice* mapType_ = nullptr;
    wxCheckBox* mapTypeBtn_ = nullptr;
    wxRadioButton* controller_[3] = {};
    wxCheckBox* autoZoom_ = nullptr;
    wxTextCtrl* zoomLevel_ = nullptr;
    wxSpinButton* zoomSpin_ = nullptr;
    wxTextCtrl* pathWidth_ = nullptr;
    wxSpinButton* pathWidthSpin_ = nullptr;
    wxRadioButton* displayType_[2] = {};
    wxTextCtrl* displayWidth_ = nullptr;
    wxTextCtrl* displayHeight_ = nullptr;
    wxCheckBox* coloring_ = nullptr;
    wxCheckBox* iconTrace_ = nullptr;
    wxTextCtrl* profWidth_ = nullptr;
    wxTextCtrl* profHeight_ = nullptr;
    wxCheckBox* scale_ = nullptr;
    wxCheckBox* overview_ = nullptr;
    wxCheckBox* japanese_ = nullptr;
    ColorControls path_;
    ColorControls up_;
    ColorControls down_;
    ColorControls flat_;
};

}  // namespace trackalbum
