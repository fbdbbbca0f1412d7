#include "page/Escaping.h"

#include "page/Utf8.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

// Whether `text` starts with `prefix`, ASCII letters compared without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

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
                } else if (StartsWithNoCase(text.substr(i), "<!--") ||
                           StartsWithNoCase(text.substr(i), "<script")) {
                    // Either would put the HTML parser into a state in which the page's
                    // own closing tag no longer ends the script, swallowing the rest.
                    result += "\\x3C";
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
