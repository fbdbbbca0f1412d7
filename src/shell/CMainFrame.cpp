#include "shell/ShellText.h"
#include "shell/CMainFrame.h"

#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/mstream.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "AppIconData.h"
#include "shell/COperationDlg.h"
#include "shell/CTrackalbumDoc.h"
#include "shell/CTrackalbumView.h"

namespace trackalbum {
namespace {

constexpr const char* ProgramTitle = "Trackalbum";

wxIcon LoadProgramIcon() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream stream(AppIconData, sizeof AppIconData);
    wxImage image(stream, wxBITMAP_TYPE_PNG);
    wxIcon icon;
    if (image.IsOk()) icon.CopyFromBitmap(wxBitmap(image));
    return icon;
}

}  // namespace

CMainFrame::CMainFrame(CTrackalbumDoc& document, ControlPanel& panel, const SettingsStore& store)
    : wxFrame(nullptr, wxID_ANY, ProgramTitle, wxDefaultPosition, wxSize(1024, 768)),
      document_(document),
      keyTimer_(this) {
    wxStatusBar* status = CreateStatusBar(4);
    const int widths[] = {-1, 48, 48, 48};
    status->SetStatusWidths(4, widths);
    status->SetStatusText(U8("レディ"), PaneMessage);

    wxIcon icon = LoadProgramIcon();
    if (icon.IsOk()) SetIcon(icon);

    view_ = new CTrackalbumView(this);
    panel_ = new COperationDlg(this, panel, document, store, *view_);

    // Without a menu the keys are the only way to the commands. Ctrl+N, Ctrl+O and Ctrl+S
    // are left out: the document stores nothing, so they would have nothing to do.
    const int printId = wxWindow::NewControlId();
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL, 'P', printId}};
    SetAcceleratorTable(wxAcceleratorTable(1, keys));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { view_->Print(); }, printId);

    document_.SetTitleListener([this](const std::string& title) { ShowTitle(title); });

    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdateKeyIndicators(); });
    keyTimer_.Start(250);
    UpdateKeyIndicators();
}

CMainFrame::~CMainFrame() {
    keyTimer_.Stop();
    document_.SetTitleListener(nullptr);
}

void CMainFrame::ShowAll() {
    Show();
    // Over the frame's top left corner, clear of its caption.
    const wxPoint corner = GetScreenPosition();
    panel_->Move(corner.x + 24, corner.y + 48);
    panel_->Show();
}

void CMainFrame::ShowTitle(const std::string& title) {
    SetTitle(title.empty() ? wxString(ProgramTitle) : wxString::FromUTF8(title));
}

void CMainFrame::UpdateKeyIndicators() {
    wxStatusBar* status = GetStatusBar();
    const struct {
        wxKeyCode key;
        StatusPane pane;
        const char* text;
    } indicators[] = {{WXK_CAPITAL, PaneCaps, "CAP"}, {WXK_NUMLOCK, PaneNum, "NUM"}, {WXK_SCROLL, PaneScroll, "SCRL"}};
    for (const auto& indicator : indicators) {
        const wxString text = wxGetKeyState(indicator.key) ? indicator.text : "";
        if (status->GetStatusText(indicator.pane) != text) status->SetStatusText(text, indicator.pane);
    }
}

}  // namespace trackalbum
