#pragma once
// The control panel "操作パネル": a small window of its own, floating over the main frame,
// that cannot be closed. Four tabs and the Apply button at the right end of the tab row.
#include <memory>

#include <wx/dialog.h>

#include "pipeline/Apply.h"
#include "pipeline/ControlPanel.h"
#include "settings/SettingsStore.h"

class wxButton;
class wxNotebook;

namespace trackalbum {

class CPageCameraGPS;
class CTrackalbumDoc;
class CTrackalbumView;
class ShellApplyHost;

class COperationDlg : public wxDialog {
public:
    enum Tab { TabCameraGps = 0, TabMapProperty = 1, TabPictureList = 2, TabApiKey = 3 };

    COperationDlg(wxWindow* owner, ControlPanel& panel, CTrackalbumDoc& document,
                  const SettingsStore& store, CTrackalbumView& view);
    ~COperationDlg() override;

    // Reads every page, runs Apply and pushes the values back. An error that Apply does not
    // handle itself is shown with its reason; the program goes on.
    ApplyResult DoApply();

    // Every page's controls to and from its model.
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    CPageCameraGPS& GetCameraGpsPage() const { return *cameraGps_; }
    wxWindow* GetPage(Tab tab) const;
    wxNotebook* GetTabs() const { return tabs_; }
    wxButton* GetApplyButton() const { return apply_; }
    ShellApplyHost& GetApplyHost() const { return *host_; }
    ControlPanel& GetModel() const { return panel_; }

private:
    void PlaceApplyButton();

    ControlPanel& panel_;
    CTrackalbumDoc& document_;
    const SettingsStore& store_;
    wxNotebook* tabs_ = nullptr;
    wxButton* apply_ = nullptr;
    CPageCameraGPS* cameraGps_ = nullptr;
    wxWindow* mapProperty_ = nullptr;
    wxWindow* pictureList_ = nullptr;
    wxWindow* apiKey_ = nullptr;
    std::unique_ptr<ShellApplyHost> host_;
};

}  // namespace trackalbum
