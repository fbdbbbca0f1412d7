#pragma once
#include <string>

#include "settings/MapSettings.h"

namespace trackalbum {

// "%02X%02X%02X" of red, green, blue: upper-case hex, no "#".
std::string ColorToHex(Color color);

}  // namespace trackalbum
