#pragma once
// The program's document: the core's Document with a title. Writing a page names the
// document after the page, and the main window's caption follows the title.
#include <functional>
#include <string>

#include "pipeline/Document.h"

namespace trackalbum {

class CTrackalbumDoc : public Document {
public:
    CTrackalbumDoc();

    void WritePage(int kind, const PageOptions& options) override;

    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);
    void SetTitleListener(std::function<void(const std::string&)> listener) {
        titleListener_ = std::move(listener);
    }

private:
    std::string title_;
    std::function<void(const std::string&)> titleListener_;
};

}  // namespace trackalbum
