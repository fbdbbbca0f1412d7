#include "shell/WholeNumberValidator.h"

#include <wx/textentry.h>

#include "pipeline/IntegerField.h"
#include "shell/ShellMessageBox.h"
#include "shell/ShellText.h"

namespace trackalbum {

WholeNumberValidator::WholeNumberValidator(std::function<int()> read, std::function<void(int)> store, Keys keys)
    : wxTextValidator(keys == Keys::DigitsOnly ? wxFILTER_DIGITS : wxFILTER_NONE),
      read_(std::move(read)),
      store_(std::move(store)) {}

bool WholeNumberValidator::TransferToWindow() {
    GetTextEntry()->ChangeValue(wxString::Format("%d", read_()));
    return true;
}

bool WholeNumberValidator::Validate(wxWindow* parent) {
    int value = 0;
    if (ParseIntegerField(ToUtf8(GetTextEntry()->GetValue()), value)) return true;
    ShowMessageBox(IntegerFieldMessage, wxOK | wxICON_EXCLAMATION, parent);
    GetWindow()->SetFocus();
    GetTextEntry()->SelectAll();
    return false;
}

bool WholeNumberValidator::TransferFromWindow() {
    int value = 0;
    if (!ParseIntegerField(ToUtf8(GetTextEntry()->GetValue()), value)) return false;
    store_(value);
    return true;
}

bool ReadField(wxWindow& field, wxWindow& page) {
    wxValidator* validator = field.GetValidator();
    return validator->Validate(&page) && validator->TransferFromWindow();
}

void ShowField(wxWindow& field) { field.GetValidator()->TransferToWindow(); }

}  // namespace trackalbum
