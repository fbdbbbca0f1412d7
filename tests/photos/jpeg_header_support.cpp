#include "photos/jpeg_header_support.h"

#include <fstream>
#include <stdexcept>

namespace trackalbum::testing {

namespace {

void Put16(Bytes& out, bool le, uint32_t v) {
    if (le) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
    else out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
}

void Put32(Bytes& out, bool le, uint32_t v) {
    if (le) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    else out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

}  // namespace

Bytes MakeTiff(bool le, const std::vector<IfdEntry>& entries) {
    Bytes out;
    out.insert(out.end(), le ? std::initializer_list<uint8_t>{'I', 'I'} : std::initializer_list<uint8_t>{'M', 'M'});
    Put16(out, le, 42);
    Put32(out, le, 8);
    Put16(out, le, static_cast<uint32_t>(entries.size()));
    uint32_t dataOffset = 8 + 2 + 12 * static_cast<uint32_t>(entries.size()) + 4;
    Bytes data;
    for (const IfdEntry& e : entries) {
        Put16(out, le, e.tag);
        Put16(out, le, e.type);
        if (e.text.empty()) {
            Put32(out, le, e.count);
            Put32(out, le, e.value);
            continue;
        }
        Put32(out, le, static_cast<uint32_t>(e.text.size() + 1));
        Put32(out, le, dataOffset + static_cast<uint32_t>(data.size()));
        data.insert(data.end(), e.text.begin(), e.text.end());
        data.push_back(0);
    }
    Put32(out, le, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes MakeSegment(uint8_t marker, const Bytes& payload) {
    if (payload.size() + 2 > 0xFFFF) throw std::length_error("segment too long");
    Bytes out{0xFF, marker};
    Put16(out, false, static_cast<uint32_t>(payload.size() + 2));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes MakeExifSegment(const Bytes& tiff) {
    Bytes payload{'E', 'x', 'i', 'f', 0, 0};
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    return MakeSegment(0xE1, payload);
}

Bytes MakeJfifSegment() {
    return MakeSegment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
}

Bytes MakeXmpSegment() {
    std::string text = "http://ns.adobe.com/xap/1.0/";
    Bytes payload(text.begin(), text.end());
    payload.push_back(0);
    std::string packet = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF/></x:xmpmeta>";
    payload.insert(payload.end(), packet.begin(), packet.end());
    return MakeSegment(0xE1, payload);
}

Bytes MakeJpeg(const std::vector<Bytes>& segments) {
    Bytes out{0xFF, 0xD8};
    for (const Bytes& s : segments) out.insert(out.end(), s.begin(), s.end());
    Bytes scan = MakeSegment(0xDA, {1, 1, 0, 0, 63, 0});
    out.insert(out.end(), scan.begin(), scan.end());
    // Image data that would read as an APP1 if the walk went on past the start of scan.
    out.insert(out.end(), {0x12, 0x34, 0xFF, 0x00, 0xFF, 0xE1, 0x00, 0x10, 0x56, 0xFF, 0xD9});
    return out;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace trackalbum::testing
