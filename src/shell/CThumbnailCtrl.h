#pragma once
// The bordered field beside the picture list that shows the selected photo's thumbnail:
// 104 x 104 while empty, the thumbnail's size + 4 once it holds one.
#include <wx/bitmap.h>
#include <wx/window.h>

namespace trackalbum {

class CThumbnailCtrl : public wxWindow {
public:
    static constexpr int Border = 2;
    static constexpr int EmptySize = 104;

    explicit CThumbnailCtrl(wxWindow* parent);

    // Keeps the picture for every later paint and takes its size + 4.
    void SetThumbnail(const wxBitmap& thumbnail);
    void ClearThumbnail();
    const wxBitmap& GetThumbnail() const { return thumbnail_; }

private:
    void Resize(const wxSize& size);
    void OnPaint(wxPaintEvent& event);

    wxBitmap thumbnail_;
};

}  // namespace trackalbum
