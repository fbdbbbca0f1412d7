#pragma once
// --set KEY=VALUE: one profile key's value entered into the panel as the user would enter it.
#include <string>

#include "pipeline/ControlPanel.h"

namespace trackalbum {

// Numbers typed into a field are taken as typed (no clamps); a check box takes 0 or 1, a
// choice one of its entries; a colour key sets its component to the value's low 8 bits.
// Raises UsageError for an unknown key or a value the control cannot hold.
void EnterPanelSetting(ControlPanel& panel, const std::string& key, const std::string& value);

}  // namespace trackalbum
