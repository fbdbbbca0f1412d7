#include "shell/ShellText.h"
#include "shell/COperationDlg.h"

#include <exception>

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "shell/CPageCameraGPS.h"
#include "shell/CPageGoogleAPIKey.h"
#include "shell/CPageMapProperty.h"
#include "shell/CPagePictureList.h"
#include "shell/CTrackalbumDoc.h"
#include "shell/CTrackalbumView.h"
#include "shell/ShellApplyHost.h"
#include "shell/ShellMessageBox.h"

namespace trackalbum {
namespace {
constexpr int Margin = 6;
}

COperationDlg::COperationDlg(wxWindow* owner, ControlPanel& panel, CTrackalbumDoc& document,
                             const SettingsStore& store, CTrackalbumView& view)
    // A caption but no close box and no system menu: the panel stays as long as the frame.
    : wxDialog(owner, wxID_ANY, U8("操作パネル"), wxDefaultPosition, wxDefaultSize, wxCAPTION),
      panel_(panel),
      document_(document),
      store_(store) {
    tabs_ = new wxNotebook(this, wxID_ANY);
    cameraGps_ = new CPageCameraGPS(tabs_, panel.GetCameraGpsPage(), document);
    mapProperty_ = new CPageMapProperty(tabs_, panel.GetMapPropertyPage());
    pictureList_ = new CPagePictureList(tabs_, panel.GetPictureListPage());
    apiKey_ = new CPageGoogleAPIKey(tabs_, panel.GetApiKeyPage());
    tabs_->AddPage(cameraGps_, U8("GPS/写真データ"), true);
    tabs_->AddPage(mapProperty_, U8("地図設定"));
    tabs_->AddPage(pictureList_, U8("写真リスト"));
    tabs_->AddPage(apiKey_, U8("Google API Key"));
    // Created after the tabs, so that it lies above their empty tab row.
    apply_ = new wxButton(this, wxID_ANY, U8("適用"), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DoApply(); });

    host_ = std::make_unique<ShellApplyHost>(*this, *cameraGps_, view);
    auto* pictureList = static_cast<CPagePictureList*>(pictureList_);
    host_->SetPictureListView(
        [pictureList](const std::string& folder, PictureList& pictures) { pictureList->Refill(folder, pictures); });
    cameraGps_->SetPictureListHooks(
        [pictureList] { pictureList->CommitPendingComment(); },
        [this](const std::string& folder) {
            panel_.GetPictureListPage().RefillPictureList(folder, document_.GetPicturesForUpdate());
            host_->RefillPictureList(folder, document_.GetPicturesForUpdate());
        });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tabs_, 1, wxEXPAND | wxALL, Margin);
    SetSizerAndFit(sizer);
    tabs_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter([this] { PlaceApplyButton(); });
    });

    // Enter and Escape do nothing, and the window manager's close is refused.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (event.CanVeto()) event.Veto();
        else Destroy();
    });

    panel_.LoadSettingsToPages(store_);
    TransferDataToWindow();
    PlaceApplyButton();
}

COperationDlg::~COperationDlg() = default;

wxWindow* COperationDlg::GetPage(Tab tab) const {
    switch (tab) {
    case TabCameraGps: return cameraGps_;
    case TabMapProperty: return mapProperty_;
    case TabPictureList: return pictureList_;
    case TabApiKey: return apiKey_;
    }
    return cameraGps_;
}

void COperationDlg::PlaceApplyButton() {
    // The tab row is the strip above the pages; the button sits at its right end.
    const wxPoint pageTop = cameraGps_->GetPosition();
    const int rowHeight = pageTop.y > 0 ? pageTop.y : apply_->GetBestSize().y;
    wxSize size = apply_->GetBestSize();
    size.y = std::min(size.y, std::max(rowHeight - 2, 10));
    const wxPoint origin = tabs_->GetPosition();
    apply_->SetSize(origin.x + tabs_->GetSize().x - size.x - 2, origin.y + 1, size.x, size.y);
    apply_->Raise();
}

bool COperationDlg::TransferDataToWindow() {
    bool ok = true;
    for (int tab = 0; tab < static_cast<int>(tabs_->GetPageCount()); ++tab) {
        ok = tabs_->GetPage(tab)->TransferDataToWindow() && ok;
    }
    return ok;
}

bool COperationDlg::TransferDataFromWindow() {
    // A page that stops at a bad field keeps its last good value there; the others go on.
    bool ok = true;
    for (int tab = 0; tab < static_cast<int>(tabs_->GetPageCount()); ++tab) {
        ok = tabs_->GetPage(tab)->TransferDataFromWindow() && ok;
    }
    return ok;
}

ApplyResult COperationDlg::DoApply() {
    TransferDataFromWindow();
    ApplyResult result = ApplyResult::Failed;
    try {
        result = Apply(panel_, store_, document_, *host_);
    } catch (const std::exception& error) {
        ShowMessageBox(error.what(), wxOK | wxICON_ERROR, this);
    }
    TransferDataToWindow();
    return result;
}

}  // namespace trackalbum
