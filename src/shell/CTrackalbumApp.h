#pragma once
// The application: the per-user profile (the same as the command line's), the document, the
// panel's models and the main frame.
#include <memory>

#include <wx/app.h>

#include "pipeline/ControlPanel.h"
#include "pipeline/DesktopCommandLine.h"
#include "settings/SettingsStore.h"
#include "settings/WxFileProfile.h"

namespace trackalbum {

class CMainFrame;
class CTrackalbumDoc;

class CTrackalbumApp : public wxApp {
public:
    explicit CTrackalbumApp(DesktopCommandLine commandLine);
    ~CTrackalbumApp() override;

    bool OnInit() override;
    // An error that escaped a handler is shown with its reason and the program goes on.
    bool OnExceptionInMainLoop() override;

private:
    DesktopCommandLine commandLine_;
    std::unique_ptr<WxFileProfile> profile_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<CTrackalbumDoc> document_;
    std::unique_ptr<ControlPanel> panel_;
};

// Makes the frame with its panel over the given models and fills the two paths of the
// command line; the tests start the program through it too.
CMainFrame* CreateMainWindow(CTrackalbumDoc& document, ControlPanel& panel, const SettingsStore& store,
                             const DesktopCommandLine& commandLine);

}  // namespace trackalbum
