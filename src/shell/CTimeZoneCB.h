#pragma once
// The GPS record's time zone: a drop-down list of the 25 whole-hour offsets -12..+12.
#include <wx/combobox.h>

namespace trackalbum {

class CTimeZoneCB : public wxComboBox {
public:
    explicit CTimeZoneCB(wxWindow* parent, wxWindowID id = wxID_ANY);

    // Appends the 25 entries "%+3d", -12 first.
    void FillTimeZones();
    // An offset outside -12..+12 selects nothing.
    void SetTimeZoneHours(int hours);
    // -13 when nothing is selected.
    int GetTimeZoneHours() const;
};

}  // namespace trackalbum
