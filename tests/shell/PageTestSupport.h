#pragma once
// Helpers of the page tests: a page alone in a frame, its controls found by name, modal
// dialogs answered instead of the user.
#include <stdexcept>
#include <string>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/window.h>

#include "ShellTestSupport.h"

namespace trackalbum {

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

}  // namespace trackalbum

#include <functional>
#include <vector>

#include <wx/dialog.h>
#include <wx/modalhook.h>

namespace trackalbum {

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

}  // namespace trackalbum
