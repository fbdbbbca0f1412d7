#include "gps/GpxReader.h"

#include <cmath>
#include <cstring>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

// Names match by their first characters only, over the keyword's length, whatever the
// namespace: a name that merely begins with a keyword matches it too.
// (A fixed-length comparison, so that it compiles to a few instructions on the hot path.)
template <size_t N>
bool Matches(std::string_view localName, const char (&keyword)[N]) {
    return localName.size() >= N - 1 && std::memcmp(localName.data(), keyword, N - 1) == 0;
}

}  // namespace

double ParseGpxNumber(std::string_view text) {
    const double value = ParseLeadingDouble(text);
    return std::isfinite(value) ? value : 0.0;
}

void GpxReader::StartElement(std::string_view, std::string_view localName,
                             const SaxAttributes& attributes) {
    if (Matches(localName, "trkpt") || Matches(localName, "rtept")) {
        GpsPoint point;
        bool created = false;
        const size_t count = attributes.GetLength();
        for (size_t i = 0; i < count; ++i) {
            const std::string_view name = attributes.GetLocalName(i);
            const bool isLat = Matches(name, "lat");
            if (!isLat && !Matches(name, "lon")) continue;
            const double value = ParseGpxNumber(attributes.GetValue(i).substr(0, MaxAttributeLength));
            (isLat ? point.Latitude : point.Longitude) = value;
            created = true;
        }
        if (created) Track->AddTail(point);
    }
    if ((Matches(localName, "time") || Matches(localName, "ele")) && !Collecting) {
        Collecting = true;
        Text.clear();
    }
}

void GpxReader::Characters(std::string_view text) {
    if (!Collecting || Text.size() >= MaxTextLength) return;
    Text.append(text.substr(0, MaxTextLength - Text.size()));
}

void GpxReader::EndElement(std::string_view, std::string_view localName) {
    if (Track->IsEmpty()) {
        Collecting = false;
        return;
    }
    GpsPoint& latest = Track->GetTailForUpdate();
    if (Matches(localName, "time")) {
        Collecting = false;
        // Set before parsing: a time that cannot be represented still counts as given.
        latest.TimeGiven = true;
        latest.SetTime(times_.Parse(Text));
    } else if (Matches(localName, "ele")) {
        Collecting = false;
        latest.SetElevation(ParseGpxNumber(Text));
    }
}

}  // namespace trackalbum
