#pragma once
// A small field painted in one colour: the swatch beside each colour button of the map
// settings page. It paints itself, so the theme cannot override the colour.
#include <wx/window.h>

#include "settings/MapSettings.h"

namespace trackalbum {

class CColorSwatch : public wxWindow {
public:
    CColorSwatch(wxWindow* parent, wxWindowID id = wxID_ANY);

    Color GetColor() const { return color_; }
    // Repaints at once when the colour changes.
    void SetColor(Color color);
    // What a paint draws: the colour inside a dark frame over the whole client area.
    void Draw(wxDC& dc) const;

private:
    void OnPaint(wxPaintEvent& event);

    Color color_ = 0;
};

wxColour ToWxColour(Color color);
Color FromWxColour(const wxColour& colour);

}  // namespace trackalbum
