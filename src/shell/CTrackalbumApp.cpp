#include "shell/CTrackalbumApp.h"

#include <cstdio>
#include <exception>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "shell/CMainFrame.h"
#include "shell/COperationDlg.h"
#include "shell/CPageCameraGPS.h"
#include "shell/CTrackalbumDoc.h"
#include "shell/ShellMessageBox.h"

namespace trackalbum {

CTrackalbumApp::CTrackalbumApp(DesktopCommandLine commandLine) : commandLine_(std::move(commandLine)) {}

CTrackalbumApp::~CTrackalbumApp() = default;

bool CTrackalbumApp::OnInit() {
    // The command line was read before the toolkit started; wxApp::OnInit would read it again.
    SetAppName("Trackalbum");
    SetAppDisplayName("Trackalbum");
    // The toolkit's own diagnostics (GTK and WebKit warnings) are for a terminal, not for boxes
    // that would pop up over the window or at exit; the program's messages have boxes of their own.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    profile_ = std::make_unique<WxFileProfile>(WxFileProfile::GetDefaultPath());
    if (!profile_->GetLastProblem().empty()) {
        std::fprintf(stderr, "trackalbum: settings not read, defaults used: %s\n",
                     profile_->GetLastProblem().c_str());
    }
    store_ = std::make_unique<SettingsStore>(*profile_);
    document_ = std::make_unique<CTrackalbumDoc>();
    panel_ = std::make_unique<ControlPanel>();
    CMainFrame* frame = CreateMainWindow(*document_, *panel_, *store_, commandLine_);
    SetTopWindow(frame);
    frame->ShowAll();
    return true;
}

bool CTrackalbumApp::OnExceptionInMainLoop() {
    try {
        throw;
    } catch (const std::exception& error) {
        ShowMessageBox(error.what(), wxOK | wxICON_ERROR, GetTopWindow());
    } catch (...) {
        ShowMessageBox("不明なエラーが発生しました。", wxOK | wxICON_ERROR, GetTopWindow());
    }
    return true;
}

CMainFrame* CreateMainWindow(CTrackalbumDoc& document, ControlPanel& panel, const SettingsStore& store,
                             const DesktopCommandLine& commandLine) {
    if (!commandLine.WorkingFolder.empty() && !wxSetWorkingDirectory(wxString::FromUTF8(commandLine.WorkingFolder))) {
        std::fprintf(stderr, "trackalbum: cannot change to %s; the pages go to the current folder\n",
                     commandLine.WorkingFolder.c_str());
    }
    auto* frame = new CMainFrame(document, panel, store);
    CameraGpsPage& page = panel.GetCameraGpsPage();
    if (!commandLine.GpxFile.empty()) page.SetGpsFile(commandLine.GpxFile);
    if (!commandLine.PhotoFolder.empty()) page.SetPhotoFolder(commandLine.PhotoFolder);
    CPageCameraGPS& window = frame->GetPanel().GetCameraGpsPage();
    window.TransferDataToWindow();
    window.UpdateCopyButton();
    return frame;
}

}  // namespace trackalbum
