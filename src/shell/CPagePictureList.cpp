#include "shell/CPagePictureList.h"

#include <algorithm>

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "image/Image.h"
#include "pipeline/PictureThumbnail.h"
#include "shell/CPictureView.h"
#include "shell/CThumbnailCtrl.h"
#include "shell/ShellText.h"

namespace trackalbum {
namespace {

constexpr int Gap = 4;

// A file name that is no UTF-8 is still shown, through the file-name encoding.
wxString FileNameText(const std::string& name) {
    wxString text = U8(name);
    if (text.empty() && !name.empty()) text = wxString(name.c_str(), *wxConvFileName);
    return text;
}

}  // namespace

CPagePictureList::CPagePictureList(wxWindow* parent, PictureListPage& model)
    : wxPanel(parent, wxID_ANY), model_(model), commitTimer_(this), selectionTimer_(this) {
    thumbnail_ = new CThumbnailCtrl(this);
    comment_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(FromDIP(170), -1), 0,
                              wxDefaultValidator, "Comment");
    comment_->Disable();
    list_ = new CPictureView(this);
    list_->SetMinSize(wxSize(FromDIP(520), FromDIP(140)));
    list_->SetupColumns();

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(thumbnail_, 0, wxALIGN_LEFT);
    left->AddStretchSpacer();
    left->Add(new wxStaticText(this, wxID_ANY, U8("コメント：")), 0, wxTOP, Gap);
    left->Add(comment_, 0, wxEXPAND | wxTOP, 2);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(left, 0, wxEXPAND | wxALL, Gap);
    top->Add(list_, 1, wxEXPAND | wxALL, Gap);
    SetSizerAndFit(top);

    // Every change of the selection is shown once it has settled, so that holding an arrow
    // key down decodes only the photo it stops on.
    auto selectionChanged = [this](wxListEvent& event) {
        event.Skip();
        selectionTimer_.StartOnce(SelectionDelayMs);
    };
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, selectionChanged);
    list_->Bind(wxEVT_LIST_ITEM_DESELECTED, selectionChanged);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowSelectedPicture(); }, selectionTimer_.GetId());
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CommitPendingComment(); }, commitTimer_.GetId());

    comment_->Bind(wxEVT_SET_FOCUS, &CPagePictureList::OnCommentFocus, this);
    comment_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        CommitPendingComment();
    });
    comment_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        typed_ = true;
        commitTimer_.StartOnce(CommitDelayMs);
    });
}

void CPagePictureList::Refill(const std::string& folder, PictureList& pictures) {
    commitTimer_.Stop();
    selectionTimer_.Stop();
    typed_ = false;
    model_.RefillPictureList(folder, pictures);
    model_.BeginEdit(-1);
    const auto& rows = model_.GetRows();
    list_->Freeze();
    list_->DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const PictureListRow& row = rows[i];
        const long item = list_->InsertItem(static_cast<long>(i), FileNameText(row.FileName),
                                            row.Placed ? CPictureView::PlacedImage : CPictureView::NotPlacedImage);
        list_->SetItem(item, CPictureView::CommentColumn, U8(row.Comment));
        list_->SetItem(item, CPictureView::TakenTimeColumn, U8(row.TakenTime));
        if (row.Placed) {
            list_->SetItem(item, CPictureView::LongitudeColumn, U8(row.Longitude));
            list_->SetItem(item, CPictureView::LatitudeColumn, U8(row.Latitude));
        }
    }
    list_->Thaw();
    ShowSelectedPicture();
}

int CPagePictureList::GetSelectedRow() const {
    const long item = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return item >= 0 && static_cast<size_t>(item) < model_.GetRows().size() ? static_cast<int>(item) : -1;
}

void CPagePictureList::ShowSelectedPicture() {
    selectionTimer_.Stop();
    // The edit may still hold text for the photo shown before; it goes to that photo.
    CommitPendingComment();
    const int row = GetSelectedRow();
    comment_->ChangeValue(row >= 0 ? U8(model_.GetRows()[static_cast<size_t>(row)].Comment) : wxString());
    comment_->Enable(row >= 0);
    if (row != shownRow_) ShowThumbnail(row);
    shownRow_ = row;
    model_.BeginEdit(row);
}

void CPagePictureList::ShowThumbnail(int row) {
    // Decoded once for each new selection; paints only draw the copy kept.
    Image photo;
    if (row >= 0) {
        ++decodeCount_;
        LoadThumbnailSource(photo, model_.GetPicturePath(row));
    }
    const Image small = MakeThumbnail(photo);
    if (small.IsEmpty()) {
        // Nothing to show, or the file cannot be read: an empty field, not the last photo.
        thumbnail_->ClearThumbnail();
        return;
    }
    wxImage image(small.GetWidth(), small.GetHeight(), false);
    for (int y = 0; y < small.GetHeight(); ++y)
        std::copy_n(small.GetRow(y), 3 * small.GetWidth(), image.GetData() + 3 * y * small.GetWidth());
    thumbnail_->SetThumbnail(wxBitmap(image));
}

void CPagePictureList::OnCommentFocus(wxFocusEvent& event) {
    event.Skip();
    // A click on the edit right after a key moved the selection: show that photo first.
    if (selectionTimer_.IsRunning()) ShowSelectedPicture();
    model_.BeginEdit(shownRow_);
}

void CPagePictureList::CommitPendingComment() {
    commitTimer_.Stop();
    if (!typed_) return;
    typed_ = false;
    const std::string text = ToUtf8(comment_->GetValue());
    const int row = model_.GetEditIndex();
    if (model_.CommitComment(text)) list_->SetItem(row, CPictureView::CommentColumn, comment_->GetValue());
}

bool CPagePictureList::TransferDataToWindow() {
    if (!typed_) {
        const int row = GetSelectedRow();
        comment_->ChangeValue(row >= 0 ? U8(model_.GetRows()[static_cast<size_t>(row)].Comment) : wxString());
    }
    return true;
}

bool CPagePictureList::TransferDataFromWindow() {
    CommitPendingComment();
    return true;
}

}  // namespace trackalbum
