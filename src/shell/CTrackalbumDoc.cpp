#include "shell/CTrackalbumDoc.h"

#include "shell/GetVersionString.h"

namespace trackalbum {

CTrackalbumDoc::CTrackalbumDoc() : Document(::trackalbum::GetVersionString()) {}

void CTrackalbumDoc::WritePage(int kind, const PageOptions& options) {
    Document::WritePage(kind, options);
    // An empty track writes no page, and then the title stays as it was.
    if (!GetTrack().IsEmpty()) SetTitle(options.GetPageName());
}

void CTrackalbumDoc::SetTitle(const std::string& title) {
    title_ = title;
    if (titleListener_) titleListener_(title_);
}

}  // namespace trackalbum
