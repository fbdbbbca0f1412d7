#include "shell/ShellMessageBox.h"

#include <wx/msgdlg.h>

namespace trackalbum {
namespace {
MessageBoxAnswer& Answer() {
    static MessageBoxAnswer answer;
    return answer;
}
}  // namespace

int ShowMessageBox(const std::string& text, long style, wxWindow* parent) {
    if (Answer()) return Answer()(text, style);
    return wxMessageBox(wxString::FromUTF8(text), "Trackalbum", style, parent);
}

void SetMessageBoxAnswer(MessageBoxAnswer answer) { Answer() = std::move(answer); }

}  // namespace trackalbum
