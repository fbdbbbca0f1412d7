#pragma once
// Everything Apply shows to the user. The desktop program implements it with the control
// panel and the browser view; the command line prints; tests record.
#include <string>

#include "photos/PictureList.h"
#include "pipeline/SpeedChoices.h"
#include "platform/MessageHost.h"

namespace trackalbum {

class ApplyHost : public MessageHost {
public:
    // Replaces the status box text.
    virtual void ShowStatus(const std::string& text) = 0;
    // A box with an information icon and an OK button.
    virtual void ShowInformation(const std::string& text) = 0;
    // The reduction report beside the compression slider.
    virtual void ShowCompressionResult(const std::string& text) = 0;
    virtual void RefillPictureList(const std::string& folder, PictureList& pictures) = 0;
    // The speed-limit box was refilled from the track; show its entries.
    virtual void RefillSpeedChoices(const SpeedChoices& choices) = 0;
    // Shows the page at the address in the main view.
    virtual void Navigate(const std::string& address) = 0;
    // A file could not be written or opened, or a value could not be represented: the
    // error box that ends Apply.
    virtual void ShowFileError(const std::string& description) = 0;
};

}  // namespace trackalbum
