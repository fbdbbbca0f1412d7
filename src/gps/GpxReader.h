#pragma once
// The content handler that turns the track and route points of a GPX document into points of
// a track, in document order.
#include <string>
#include <string_view>

#include "gps/GpsTrack.h"
#include "platform/SaxReader.h"

namespace trackalbum {

class GpxReader final : public SaxContentHandler {
public:
    // Texts of time and ele elements longer than this are cut; no real value comes close.
    static constexpr size_t MaxTextLength = 64 * 1024;
    // Attribute values are read as numbers from at most this many characters.
    static constexpr size_t MaxAttributeLength = 260;

    explicit GpxReader(GpsTrack& track) : Track(&track) {}

    void StartElement(std::string_view namespaceUri, std::string_view localName,
                      const SaxAttributes& attributes) override;
    void Characters(std::string_view text) override;
    // Raises InvalidArgumentError for a time text that gives no representable time.
    void EndElement(std::string_view namespaceUri, std::string_view localName) override;
    bool WantsCharacters() const override { return Collecting; }

private:
    bool Collecting = false;
    std::string Text;
    GpsTrack* Track;
    GpxTimeParser times_;
};

// A GPX number: a leading decimal number; anything that is not finite gives 0.0.
double ParseGpxNumber(std::string_view text);

}  // namespace trackalbum
