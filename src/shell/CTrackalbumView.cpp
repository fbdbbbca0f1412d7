#include "shell/CTrackalbumView.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include "shell/GetVersionString.h"

namespace trackalbum {
namespace {

// What WebKitGTK sends on Linux when the engine cannot be asked.
constexpr const char* FallbackEngineAgent = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/605.1.15 (KHTML, like Gecko)";

bool IsProductVersion(std::string_view version) {
    return !version.empty() && std::all_of(version.begin(), version.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == '-' ||
               c == '+' || c == '_' || c == '~';
    });
}

}  // namespace

std::string ProgramUserAgent(std::string_view engineAgent, std::string_view version) {
    std::string agent(engineAgent.empty() ? std::string_view(FallbackEngineAgent) : engineAgent);
    agent += " Trackalbum";
    if (IsProductVersion(version)) {
        agent += '/';
        agent += version;
    }
    return agent;
}

CTrackalbumView::CTrackalbumView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    // No address: the view stays blank until a page is written.
    browser_ = wxWebView::New(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxWebViewBackendDefault, wxBORDER_NONE);
    // The pages are ours; the browser's own context menu and its dev tools stay out of the way.
    browser_->EnableContextMenu(false);
    browser_->SetUserAgent(ProgramUserAgent(browser_->GetUserAgent().utf8_string(), GetVersionString()));
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
