#include "platform/SaxShiftJis.h"

#include <string>

#include "platform/ShiftJis.h"

namespace trackalbum {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// The code point of one UTF-8 sequence that makes up all of `text`, or -1.
int SingleCodePoint(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    if (text.size() == 2 && (s[0] & 0xE0) == 0xC0) return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    if (text.size() == 3 && (s[0] & 0xF0) == 0xE0) {
        const int cp = ((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
        return cp == 0xFFFD ? -1 : cp;  // the decoder's mark for a byte pair with no character
    }
    return -1;
}

}  // namespace

bool IsShiftJisEncodingName(std::string_view name) {
    for (const char* known : {"Shift_JIS", "Shift-JIS", "SJIS", "CP932", "Windows-31J", "MS_Kanji", "x-sjis"}) {
        if (EqualsIgnoringCase(name, known)) return true;
    }
    return false;
}

int ShiftJisByteMap(unsigned char byte) {
    if (byte < 0x80) return byte;
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) return -2;
    if (byte >= 0xA1 && byte <= 0xDF) return 0xFF61 + (byte - 0xA1);  // half-width katakana
    return -1;
}

int ShiftJisTwoByteCodePoint(const char* bytes) {
    return SingleCodePoint(DecodeShiftJis(std::string_view(bytes, 2)));
}

}  // namespace trackalbum
