#include "page/MapRuntime.h"

#include "page/OutputFiles.h"
#include "page/Utf8.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

// Decodes the well-formed sequence at text[i] (its length from GetUtf8SequenceLength).
char32_t DecodeUtf8(std::string_view text, size_t i, size_t length) {
    const auto byte = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(text[i + k])); };
    switch (length) {
        case 2: return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        case 3: return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        case 4: return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
        default: return byte(0);
    }
}

// A JSON string that is also a safe script string: quote, backslash, controls, "<" and
// everything beyond ASCII as escapes (UTF-16 pairs past U+FFFF); broken UTF-8 as U+FFFD.
std::string JsonString(std::string_view raw) {
    std::string repaired;
    if (!IsValidUtf8(raw)) repaired = RepairUtf8(raw);
    const std::string_view text = repaired.empty() ? raw : std::string_view(repaired);
    std::string out = "\"";
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
            ++i;
        } else if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F && c != '<') {
            out += c;
            ++i;
        } else {
            const size_t length = GetUtf8SequenceLength(text.substr(i));
            char32_t code = DecodeUtf8(text, i, length == 0 ? 1 : length);
            i += length == 0 ? 1 : length;
            if (code >= 0x10000) {
                code -= 0x10000;
                out += FormatC("\\u%04X\\u%04X", static_cast<unsigned>(0xD800 + (code >> 10)),
                               static_cast<unsigned>(0xDC00 + (code & 0x3FF)));
            } else {
                out += FormatC("\\u%04X", static_cast<unsigned>(code));
            }
        }
    }
    return out + "\"";
}

std::string LayerObject(const TileLayer& layer) {
    return "{\"url\":" + JsonString(layer.Url) + ",\"attribution\":" + JsonString(layer.Attribution) +
           ",\"maxZoom\":" + std::to_string(ClampTileZoom(layer.MaxZoom)) + "}";
}

}  // namespace

std::string BuildTileConfiguration(const TileLayers& tiles) {
    return "var TrackalbumTiles = {\"normal\":" + LayerObject(tiles.Normal) + ",\"aerial\":" +
           LayerObject(tiles.Aerial) + ",\"overlay\":" + LayerObject(tiles.Overlay) + "};\n";
}

void WriteMapRuntime(const TileLayers& tiles) {
    const std::string_view bundle = GetMapRuntimeBundle();
    std::string text = BuildTileConfiguration(tiles);
    text.reserve(text.size() + bundle.size());
    text += bundle;
    SaveOutputFile(MapRuntimePath, text);
}

}  // namespace trackalbum
