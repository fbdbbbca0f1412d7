#pragma once
// The picture list's list control: five columns that keep their proportions and fill the
// control's width, and the placed/unplaced check-box images.
#include <wx/listctrl.h>

namespace trackalbum {

class CPictureView : public wxListCtrl {
public:
    enum Column { FileNameColumn, CommentColumn, TakenTimeColumn, LongitudeColumn, LatitudeColumn };
    enum Image { NotPlacedImage, PlacedImage };

    CPictureView(wxWindow* parent, wxWindowID id = wxID_ANY);

    // The columns "ファイル名", "コメント", "撮影日", "経度", "緯度", the check-box images,
    // then ResizeColumns.
    void SetupColumns();
    // Each column's share of the summed widths becomes its share of the client width.
    void ResizeColumns();
};

}  // namespace trackalbum
