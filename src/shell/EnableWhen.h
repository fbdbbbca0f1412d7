#pragma once
// Which rule of its model enables each control is declared once, when a page is made. The
// toolkit asks the rules whenever it updates the windows (when it is idle); a handler that
// changed the model asks at once, so that the controls follow before it returns.
#include <functional>
#include <initializer_list>

#include <wx/window.h>

namespace trackalbum {

void EnableWhen(std::initializer_list<wxWindow*> controls, const std::function<bool()>& rule);

// Applies every rule of the page's controls now.
inline void UpdateEnabling(wxWindow& page) { page.UpdateWindowUI(wxUPDATE_UI_RECURSE); }

}  // namespace trackalbum
