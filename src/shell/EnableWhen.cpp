#include "shell/EnableWhen.h"

namespace trackalbum {

void EnableWhen(std::initializer_list<wxWindow*> controls, const std::function<bool()>& rule) {
    for (wxWindow* control : controls) {
        control->Bind(wxEVT_UPDATE_UI, [rule](wxUpdateUIEvent& event) { event.Enable(rule()); });
    }
}

}  // namespace trackalbum
