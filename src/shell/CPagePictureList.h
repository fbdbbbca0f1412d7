#pragma once
// The "写真リスト" page: the photos of the last Apply with their comment, taken time and
// position, the selected photo's thumbnail, and the comment edit, bound to PictureListPage.
#include <string>

#include <wx/panel.h>
#include <wx/timer.h>

#include "photos/PictureList.h"
#include "pipeline/PictureListPage.h"

class wxTextCtrl;
class wxListEvent;

namespace trackalbum {

class CPictureView;
class CThumbnailCtrl;

class CPagePictureList : public wxPanel {
public:
    static constexpr int CommitDelayMs = 1000;
    static constexpr int SelectionDelayMs = 100;

    CPagePictureList(wxWindow* parent, PictureListPage& model);

    // Lists the records anew; nothing is selected and the edit waits for a selection.
    void Refill(const std::string& folder, PictureList& pictures);
    // Stores a comment still being typed on the photo it was typed for.
    void CommitPendingComment();

    // The edit shows the selected photo's comment unless one is being typed.
    bool TransferDataToWindow() override;
    // A comment still being typed is stored first.
    bool TransferDataFromWindow() override;

    CPictureView* GetPictureView() const { return list_; }
    wxTextCtrl* GetCommentEdit() const { return comment_; }
    CThumbnailCtrl* GetThumbnailCtrl() const { return thumbnail_; }
    // How many photos were decoded for thumbnails so far.
    int GetDecodeCount() const { return decodeCount_; }

private:
    int GetSelectedRow() const;
    void ShowSelectedPicture();
    void ShowThumbnail(int row);
    void OnCommentFocus(wxFocusEvent& event);

    PictureListPage& model_;
    CPictureView* list_ = nullptr;
    CThumbnailCtrl* thumbnail_ = nullptr;
    wxTextCtrl* comment_ = nullptr;
    wxTimer commitTimer_;
    wxTimer selectionTimer_;
    bool typed_ = false;   // the edit holds text not yet stored
    int shownRow_ = -1;    // the row whose thumbnail and comment are shown
    int decodeCount_ = 0;
};

}  // namespace trackalbum
