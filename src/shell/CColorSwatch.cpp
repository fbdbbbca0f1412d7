#include "shell/CColorSwatch.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

namespace trackalbum {

wxColour ToWxColour(Color color) {
    return wxColour(static_cast<unsigned char>(GetRed(color)), static_cast<unsigned char>(GetGreen(color)),
                    static_cast<unsigned char>(GetBlue(color)));
}

Color FromWxColour(const wxColour& colour) { return MakeColor(colour.Red(), colour.Green(), colour.Blue()); }

CColorSwatch::CColorSwatch(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(32, 18), wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CColorSwatch::OnPaint, this);
}

void CColorSwatch::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    Refresh(false);
}

void CColorSwatch::Draw(wxDC& dc) const {
    dc.SetPen(wxPen(wxColour(64, 64, 64)));
    dc.SetBrush(wxBrush(ToWxColour(color_)));
    dc.DrawRectangle(wxPoint(0, 0), GetClientSize());
}

void CColorSwatch::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

}  // namespace trackalbum
