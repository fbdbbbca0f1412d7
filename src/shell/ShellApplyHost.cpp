#include "shell/ShellApplyHost.h"

#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include "shell/CPageCameraGPS.h"
#include "shell/CTrackalbumView.h"
#include "shell/ShellMessageBox.h"

namespace trackalbum {

void ShellApplyHost::ShowMessage(const std::string& text) {
    ShowMessageBox(text, wxOK | wxICON_EXCLAMATION, &boxParent_);
}

void ShellApplyHost::ShowStatus(const std::string& text) {
    page_.ShowStatus(text);
    // Apply runs on this thread to its end; repaint so each step can be followed.
    page_.GetStatusBox()->Update();
}

void ShellApplyHost::ShowInformation(const std::string& text) {
    ShowMessageBox(text, wxOK | wxICON_INFORMATION, &boxParent_);
}

void ShellApplyHost::ShowCompressionResult(const std::string& text) { page_.ShowCompressionResult(text); }

void ShellApplyHost::RefillPictureList(const std::string& folder, PictureList& pictures) {
    if (refillPictureList_) refillPictureList_(folder, pictures);
}

void ShellApplyHost::RefillSpeedChoices(const SpeedChoices&) { page_.TransferDataToWindow(); }

void ShellApplyHost::Navigate(const std::string& address) {
    std::string problem;
    if (!view_.Navigate(address, &problem)) ShowFileError(problem);
}

void ShellApplyHost::ShowFileError(const std::string& description) {
    ShowMessageBox(description, wxOK | wxICON_ERROR, &boxParent_);
}

}  // namespace trackalbum
