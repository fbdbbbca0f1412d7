#pragma once
// Apply's host in the program: the status box and the fields of the GPS/photo page, the
// picture list, message boxes and the main view.
#include <functional>
#include <string>

#include <wx/window.h>

#include "pipeline/ApplyHost.h"

namespace trackalbum {

class CPageCameraGPS;
class CTrackalbumView;

class ShellApplyHost : public ApplyHost {
public:
    ShellApplyHost(wxWindow& boxParent, CPageCameraGPS& page, CTrackalbumView& view)
        : boxParent_(boxParent), page_(page), view_(view) {}

    void ShowMessage(const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowCompressionResult(const std::string& text) override;
    void RefillPictureList(const std::string& folder, PictureList& pictures) override;
    void RefillSpeedChoices(const SpeedChoices& choices) override;
    void Navigate(const std::string& address) override;
    void ShowFileError(const std::string& description) override;

    // Where the picture list's rows are shown (the picture list page).
    void SetPictureListView(std::function<void(const std::string&, PictureList&)> refill) {
        refillPictureList_ = std::move(refill);
    }

private:
    wxWindow& boxParent_;
    CPageCameraGPS& page_;
    CTrackalbumView& view_;
    std::function<void(const std::string&, PictureList&)> refillPictureList_;
};

}  // namespace trackalbum
