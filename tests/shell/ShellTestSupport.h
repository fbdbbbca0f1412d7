#pragma once
// What the GUI tests share: the program made over a profile in a folder of its own, a page
// alone in a frame, event pumping, and a user's actions on controls and dialogs.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "pipeline/ControlPanel.h"
#include "pipeline/DesktopCommandLine.h"
#include "settings/SettingsStore.h"
#include "settings/WxFileProfile.h"
#include "shell/CMainFrame.h"
#include "shell/COperationDlg.h"
#include "shell/CPageCameraGPS.h"
#include "shell/CTrackalbumDoc.h"
#include "shell/CTrackalbumView.h"
#include "shell/ShellApplyHost.h"
#include "support/ScratchFolder.h"

namespace trackalbum {

// Handles the window system's events until `done` holds; false after `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Handles events for a fixed time: only for checking that something does not happen.
void Pump(int milliseconds);
// Does `change`, then handles events until `window` has been painted since: it is on the
// screen as the user sees it. False after `timeoutMs`.
bool PaintAfter(wxWindow& window, const std::function<void()>& change, int timeoutMs = 10000);

// What a user does: the handlers see the same events as from a real click or keystroke.
void Click(wxButton* button);
void SetChecked(wxCheckBox* box, bool checked);
void Type(wxTextCtrl* edit, const std::string& text);
// One arrow of a spin button; true when the spin may move its own value.
bool Spin(wxSpinButton* spin, bool up);
// A real click of the left button at a point of the screen, once the pointer is there.
// False when the pointer did not get there.
bool ClickAt(const wxPoint& screenPoint);
// A real click into the middle of `window`; false unless it has the keyboard then.
bool ClickInto(wxWindow* window);

template <typename T>
T* Find(wxWindow* parent, const char* name) {
    T* window = dynamic_cast<T*>(wxWindow::FindWindowByName(name, parent));
    if (window == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return window;
}

// A shown frame whose only child is the page made by `make(frame)`.
template <typename Page, typename Make>
Page* ShowInFrame(wxFrame*& frame, Make make) {
    frame = new wxFrame(nullptr, wxID_ANY, "pages");
    Page* page = make(frame);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(page, 1, wxEXPAND);
    frame->SetSizerAndFit(sizer);
    PaintAfter(*page, [frame] { frame->Show(); });
    return page;
}

// Answers every modal dialog instead of the user while it lives: `answer` sees the dialog
// (to read or fill it) and gives the button pressed.
class DialogAnswers : public wxModalDialogHook {
public:
    explicit DialogAnswers(std::function<int(wxDialog*)> answer) : answer_(std::move(answer)) { Register(); }
    ~DialogAnswers() override { Unregister(); }
    int count = 0;

protected:
    int Enter(wxDialog* dialog) override {
        ++count;
        return answer_(dialog);
    }
    void Exit(wxDialog*) override {}

private:
    std::function<int(wxDialog*)> answer_;
};

// Answers every message box while alive and keeps the texts it was shown.
class MessageBoxScript {
public:
    explicit MessageBoxScript(int answer = wxOK);
    ~MessageBoxScript();
    const std::vector<std::string>& GetTexts() const { return texts_; }
    void SetAnswer(int answer) { answer_ = answer; }

private:
    std::vector<std::string> texts_;
    int answer_;
};

// The program as CTrackalbumApp makes it, in a fresh folder that is also the current one;
// the sample GPX file and photos are copied into it.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const DesktopCommandLine& commandLine = {});
    // Another start on the settings file of `earlier` (which stays open).
    explicit ProgramUnderTest(const std::string& profilePath);
    ~ProgramUnderTest();

    CMainFrame& Frame() { return *frame_; }
    COperationDlg& Panel() { return frame_->GetPanel(); }
    CPageCameraGPS& Page() { return frame_->GetPanel().GetCameraGpsPage(); }
    CTrackalbumView& View() { return frame_->GetView(); }
    CTrackalbumDoc& Document() { return *document_; }
    ControlPanel& Model() { return *panel_; }

    std::string Folder() const { return folder_.Path(); }
    std::string ProfilePath() const { return profile_->GetPath(); }
    std::string SampleGpx() const { return folder_ / "walk.gpx"; }
    std::string SamplePhotos() const { return folder_ / "photos"; }

private:
    void Start(const DesktopCommandLine& commandLine, const std::string& profilePath);

    // First made and last gone: the profile may still write into it as it closes.
    test::ScratchFolder folder_{test::ScratchFolder::Enter};
    std::unique_ptr<WxFileProfile> profile_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<CTrackalbumDoc> document_;
    std::unique_ptr<ControlPanel> panel_;
    CMainFrame* frame_ = nullptr;
};

}  // namespace trackalbum
