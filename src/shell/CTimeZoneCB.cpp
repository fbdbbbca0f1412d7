#include "shell/CTimeZoneCB.h"

#include "pipeline/CameraGpsPage.h"

namespace trackalbum {

CTimeZoneCB::CTimeZoneCB(wxWindow* parent, wxWindowID id)
    : wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                 wxCB_READONLY | wxCB_DROPDOWN) {}

void CTimeZoneCB::FillTimeZones() {
    for (int hours = CameraGpsPage::MinTimeZone; hours <= CameraGpsPage::MaxTimeZone; ++hours) {
        Append(wxString::FromUTF8(CameraGpsPage::FormatTimeZone(hours)));
    }
}

void CTimeZoneCB::SetTimeZoneHours(int hours) {
    const int index = hours + 12;
    SetSelection(index >= 0 && index < static_cast<int>(GetCount()) ? index : wxNOT_FOUND);
}

int CTimeZoneCB::GetTimeZoneHours() const { return GetSelection() - 12; }

}  // namespace trackalbum
