#pragma once
// The main view: an embedded browser that shows the written page. It starts blank and is
// navigated only by Apply's show step.
#include <string>
#include <string_view>

#include <wx/panel.h>

class wxWebView;
class wxWebViewEvent;

namespace trackalbum {

// The User-Agent the view sends: the engine's own, then "Trackalbum/VERSION", as tile
// services ask applications to name themselves. A version that is not plain ASCII text
// (none built in) leaves the product name alone, as a header holds only ASCII.
std::string ProgramUserAgent(std::string_view engineAgent, std::string_view version);

class CTrackalbumView : public wxPanel {
public:
    explicit CTrackalbumView(wxWindow* parent);

    // Shows the page at a "file://" address. The page is loaded as HTML with its own address
    // as base: the browser would parse a file with an XHTML doctype as XML, and the pages
    // are not well-formed XML. Returns false, with `problem` set, when it cannot be read.
    bool Navigate(const std::string& address, std::string* problem = nullptr);
    // Prints the shown page; nothing happens before the first page.
    void Print();

    bool HasPage() const { return !address_.empty(); }
    const std::string& GetAddress() const { return address_; }
    // The title of the page as the browser read it.
    std::string GetShownTitle() const;
    // Pages the browser has finished loading so far.
    int GetLoadedCount() const { return loadedCount_; }
    wxWebView* GetBrowser() const { return browser_; }

private:
    void OnLoaded(wxWebViewEvent& event);

    wxWebView* browser_ = nullptr;
    std::string address_;
    int loadedCount_ = 0;
};

}  // namespace trackalbum
