#include "pipeline/ColorToHex.h"

#include "platform/CFormat.h"

namespace trackalbum {

std::string ColorToHex(Color color) {
    return FormatC("%02X%02X%02X", GetRed(color), GetGreen(color), GetBlue(color));
}

}  // namespace trackalbum
