#pragma once
// A whole-number field of a page bound to one value of the page's model, exchanged in the
// toolkit's manner: TransferToWindow shows the value, Validate tells the user when the text
// is no whole number, TransferFromWindow stores the number. Every page reads its number
// fields through it, so they all accept the same texts and react to a bad one alike.
#include <functional>

#include <wx/valtext.h>

namespace trackalbum {

class WholeNumberValidator : public wxTextValidator {
public:
    enum class Keys { Any, DigitsOnly };

    WholeNumberValidator(std::function<int()> read, std::function<void(int)> store, Keys keys);
    template <typename Model>
    WholeNumberValidator(Model& model, int (Model::*get)() const, void (Model::*store)(int), Keys keys)
        : WholeNumberValidator([&model, get] { return (model.*get)(); },
                               [&model, store](int value) { (model.*store)(value); }, keys) {}

    wxObject* Clone() const override { return new WholeNumberValidator(*this); }

    // Shows the model's value; sends no text event, so no handler takes it for typing.
    bool TransferToWindow() override;
    // A text that is no whole number is reported in a box over `parent`; the field then
    // gets the focus with its text selected, ready to be typed over.
    bool Validate(wxWindow* parent) override;
    // Stores the number typed, as typed (no clamp); false, storing nothing, for any other text.
    bool TransferFromWindow() override;

private:
    std::function<int()> read_;
    std::function<void(int)> store_;
};

// Reads one bound field: validated, then stored. False when the page's reading must stop there.
bool ReadField(wxWindow& field, wxWindow& page);
// Shows the model's value in one bound field.
void ShowField(wxWindow& field);

}  // namespace trackalbum
