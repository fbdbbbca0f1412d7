#include "page/Escaping.h"

#include "page/Utf8.h"
#include "platform/CFormat.h"

namespace trackalbum {

std::string EscapeMarkup(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': result += "&amp;"; break;
            case '<': result += "&lt;"; break;
            case '>': result += "&gt;"; break;
            case '"': result += "&quot;"; break;
            default: result += c; break;
        }
    }
    return result;
}

std::string EscapeScriptString(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\': result += "\\\\"; break;
            case '"': result += "\\\""; break;
            case '\r': result += "\\r"; break;
            case '\n': result += "\\n"; break;
            case '<':
                if (i + 1 < text.size() && text[i + 1] == '/') {
                    result += "<\\/";
                    ++i;
                } else {
                    result += '<';
                }
                break;
            default: result += c; break;
        }
    }
    return result;
}

std::string EncodeAddress(std::string_view fileName) {
    std::string result;
    result.reserve(fileName.size());
    size_t i = 0;
    while (i < fileName.size()) {
        const char c = fileName[i];
        if (c == '%' || c == '#' || c == '?' || c == '"') {
            result += FormatC("%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            ++i;
            continue;
        }
        const size_t length = GetUtf8SequenceLength(fileName.substr(i));
        if (length == 0) {
            result += FormatC("%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            ++i;
        } else {
            result.append(fileName.substr(i, length));
            i += length;
        }
    }
    return result;
}

}  // namespace trackalbum
