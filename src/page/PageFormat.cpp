#include "page/PageFormat.h"

#include <charconv>

#include "platform/CFormat.h"

namespace trackalbum {

void AppendFixed6(std::string& out, double value, int width) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, 6);
    if (result.ec != std::errc()) {
        // Only magnitudes beyond 1e50 or so get here; printf handles any length.
        out += FormatC("%*.6f", width, value);
        return;
    }
    const auto length = static_cast<int>(result.ptr - buffer);
    if (length < width) out.append(static_cast<size_t>(width - length), ' ');
    out.append(buffer, static_cast<size_t>(length));
}

void AppendLatLng(std::string& out, double latitude, double longitude) {
    out += "new GLatLng(";
    AppendFixed6(out, latitude, 10);
    out += ',';
    AppendFixed6(out, longitude, 11);
    out += ')';
}

std::string FormatLatLng(double latitude, double longitude) {
    std::string text;
    AppendLatLng(text, latitude, longitude);
    return text;
}

}  // namespace trackalbum
