#include "shell/CThumbnailCtrl.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace trackalbum {

CThumbnailCtrl::CThumbnailCtrl(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(EmptySize, EmptySize), wxFULL_REPAINT_ON_RESIZE,
               "Thumbnail") {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(EmptySize, EmptySize));
    Bind(wxEVT_PAINT, &CThumbnailCtrl::OnPaint, this);
}

void CThumbnailCtrl::SetThumbnail(const wxBitmap& thumbnail) {
    thumbnail_ = thumbnail;
    Resize(wxSize(thumbnail.GetWidth() + 2 * Border, thumbnail.GetHeight() + 2 * Border));
}

void CThumbnailCtrl::ClearThumbnail() {
    thumbnail_ = wxBitmap();
    Resize(wxSize(EmptySize, EmptySize));
}

void CThumbnailCtrl::Resize(const wxSize& size) {
    // The position stays; the page's sizer keeps the field at its top-left corner.
    SetMinSize(size);
    SetSize(size);
    if (GetParent() != nullptr) GetParent()->Layout();
    Refresh(false);
}

void CThumbnailCtrl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.DrawRectangle(wxPoint(0, 0), size);
    if (thumbnail_.IsOk()) dc.DrawBitmap(thumbnail_, Border, Border);
}

}  // namespace trackalbum
