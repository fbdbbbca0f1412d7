#pragma once
// Every message box of the program goes through here, so that the GUI tests can answer
// the boxes instead of a user.
#include <functional>
#include <string>

#include <wx/window.h>

namespace trackalbum {

// wxMessageBox with the program's caption; returns wxYES, wxNO, wxOK or wxCANCEL.
int ShowMessageBox(const std::string& text, long style, wxWindow* parent);

// While set, boxes are not shown: the function answers them.
using MessageBoxAnswer = std::function<int(const std::string& text, long style)>;
void SetMessageBoxAnswer(MessageBoxAnswer answer);

}  // namespace trackalbum
