#pragma once
// The main window: the browser view above a status bar, no menu bar and no toolbar. It owns
// the control panel, which floats over it.
#include <wx/frame.h>
#include <wx/timer.h>

#include "pipeline/ControlPanel.h"
#include "settings/SettingsStore.h"

namespace trackalbum {

class COperationDlg;
class CTrackalbumDoc;
class CTrackalbumView;

class CMainFrame : public wxFrame {
public:
    enum StatusPane { PaneMessage = 0, PaneCaps = 1, PaneNum = 2, PaneScroll = 3 };

    CMainFrame(CTrackalbumDoc& document, ControlPanel& panel, const SettingsStore& store);
    ~CMainFrame() override;

    // Shows the frame and the panel over it.
    void ShowAll();

    CTrackalbumView& GetView() const { return *view_; }
    COperationDlg& GetPanel() const { return *panel_; }

    // "CAP", "NUM" and "SCRL" are shown while their lock is on.
    void UpdateKeyIndicators();

private:
    void ShowTitle(const std::string& title);

    CTrackalbumDoc& document_;
    CTrackalbumView* view_ = nullptr;
    COperationDlg* panel_ = nullptr;
    wxTimer keyTimer_;
};

}  // namespace trackalbum
