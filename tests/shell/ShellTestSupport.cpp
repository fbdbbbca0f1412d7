#include "shell/ShellTestSupport.h"

#include <chrono>
#include <filesystem>

#include <wx/app.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "shell/CTrackalbumApp.h"
#include "shell/ShellMessageBox.h"

namespace trackalbum {

namespace fs = std::filesystem;

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

void Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

namespace {

struct PaintWatch {
    bool painted = false;
    void OnPaint(wxPaintEvent& event) {
        painted = true;
        event.Skip();
    }
};

}  // namespace

bool PaintAfter(wxWindow& window, const std::function<void()>& change, int timeoutMs) {
    PaintWatch watch;
    window.Bind(wxEVT_PAINT, &PaintWatch::OnPaint, &watch);
    change();
    const bool painted = PumpUntil([&] { return watch.painted; }, timeoutMs);
    window.Unbind(wxEVT_PAINT, &PaintWatch::OnPaint, &watch);
    return painted;
}

void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void SetChecked(wxCheckBox* box, bool checked) {
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->ProcessWindowEvent(event);
}

void Type(wxTextCtrl* edit, const std::string& text) {
    edit->SetValue(wxString::FromUTF8(text));  // sends the text event as typing does
}

bool Spin(wxSpinButton* spin, bool up) {
    wxSpinEvent event(up ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, spin->GetId());
    event.SetEventObject(spin);
    spin->ProcessWindowEvent(event);
    return event.IsAllowed();
}

bool ClickAt(const wxPoint& screenPoint) {
    wxUIActionSimulator mouse;
    mouse.MouseMove(screenPoint);
    if (!PumpUntil([&] { return wxGetMousePosition() == screenPoint; }, 3000)) return false;
    mouse.MouseClick();
    return true;
}

bool ClickInto(wxWindow* window) {
    const wxRect area = window->GetScreenRect();
    return ClickAt(area.GetPosition() + area.GetSize() / 2) && PumpUntil([&] { return window->HasFocus(); });
}

MessageBoxScript::MessageBoxScript(int answer) : answer_(answer) {
    SetMessageBoxAnswer([this](const std::string& text, long) {
        texts_.push_back(text);
        return answer_;
    });
}

MessageBoxScript::~MessageBoxScript() { SetMessageBoxAnswer(nullptr); }

ProgramUnderTest::ProgramUnderTest(const DesktopCommandLine& commandLine) { Start(commandLine, ""); }

ProgramUnderTest::ProgramUnderTest(const std::string& profilePath) { Start({}, profilePath); }

void ProgramUnderTest::Start(const DesktopCommandLine& commandLine, const std::string& profilePath) {
    const fs::path examples = fs::path(SOURCE_DIR) / "examples";
    fs::copy_file(examples / "walk.gpx", folder_ / "walk.gpx");
    fs::copy(examples / "photos", folder_ / "photos", fs::copy_options::recursive);
    profile_ = std::make_unique<WxFileProfile>(profilePath.empty() ? (folder_ / "profile.conf").string() : profilePath);
    store_ = std::make_unique<SettingsStore>(*profile_);
    document_ = std::make_unique<CTrackalbumDoc>();
    panel_ = std::make_unique<ControlPanel>();
    frame_ = CreateMainWindow(*document_, *panel_, *store_, commandLine);
    PaintAfter(Page(), [this] { frame_->ShowAll(); });
}

ProgramUnderTest::~ProgramUnderTest() {
    // The frame refers to the document and the models: it must be gone before they are.
    frame_->Destroy();
    for (int round = 0; round < 100 && !wxTopLevelWindows.empty(); ++round) {
        wxTheApp->ProcessIdle();
        Pump(5);
    }
}

}  // namespace trackalbum
