#pragma once
// Small pieces every fragment builder shares: CR LF lines and the fixed coordinate formats.
#include <string>
#include <string_view>

namespace trackalbum {

// Every line of a page ends with CR LF.
inline void AppendLine(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

// printf's "%<width>.6f" in the "C" locale, appended to `out`. The route writes two of
// these per track point, so this avoids a locale switch and a format parse per number.
void AppendFixed6(std::string& out, double value, int width);

// "new GLatLng(" + "%10.6f" latitude + "," + "%11.6f" longitude + ")".
void AppendLatLng(std::string& out, double latitude, double longitude);
std::string FormatLatLng(double latitude, double longitude);

}  // namespace trackalbum
