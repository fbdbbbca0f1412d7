#include "shell/CTrackalbumView.h"

#include <fstream>
#include <sstream>

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/sizer.h>
#include <wx/webview.h>

namespace trackalbum {

CTrackalbumView::CTrackalbumView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    // No address: the view stays blank until a page is written.
    browser_ = wxWebView::New(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxWebViewBackendDefault, wxBORDER_NONE);
    // The pages are ours; the browser's own context menu and its dev tools stay out of the way.
    browser_->EnableContextMenu(false);
    browser_->Bind(wxEVT_WEBVIEW_LOADED, &CTrackalbumView::OnLoaded, this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(browser_, 1, wxEXPAND);
    SetSizer(sizer);
}

bool CTrackalbumView::Navigate(const std::string& address, std::string* problem) {
    const wxString url = wxString::FromUTF8(address);
    const wxFileName file = wxFileSystem::URLToFileName(url);
    std::ifstream in(file.GetFullPath().utf8_string(), std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        if (problem) *problem = "ページを開けません: " + file.GetFullPath().utf8_string();
        return false;
    }
    address_ = address;
    browser_->SetPage(wxString::FromUTF8(text.str()), url);
    return true;
}

void CTrackalbumView::Print() {
    if (HasPage()) browser_->Print();
}

std::string CTrackalbumView::GetShownTitle() const {
    return browser_->GetCurrentTitle().utf8_string();
}

void CTrackalbumView::OnLoaded(wxWebViewEvent& event) {
    ++loadedCount_;
    event.Skip();
}

}  // namespace trackalbum
