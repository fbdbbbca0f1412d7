#include "page/Utf8.h"

#include <cstdint>
#include <cstring>

namespace trackalbum {
namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Number of bytes at the start of `text` that could still begin a well-formed sequence:
// the full length when the sequence is complete, less when it breaks off (at least 1).
size_t ScanSequence(std::string_view text, bool& complete) {
    complete = false;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        complete = true;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
        return 1;
    }
    size_t used = 1;
    for (; used < length && used < text.size(); ++used) {
        const auto c = static_cast<unsigned char>(text[used]);
        if (used == 1 ? (c < low || c > high) : !IsContinuation(c)) return used;
    }
    complete = used == length;
    return used;
}

}  // namespace

size_t GetUtf8SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    bool complete = false;
    const size_t length = ScanSequence(text, complete);
    return complete ? length : 0;
}

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        // Pages are mostly ASCII: skip eight such bytes at a time.
        if (i + 8 <= text.size()) {
            uint64_t chunk;
            std::memcpy(&chunk, text.data() + i, 8);
            if ((chunk & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = GetUtf8SequenceLength(text.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string RepairUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 16);
    size_t i = 0;
    while (i < text.size()) {
        bool complete = false;
        const size_t length = ScanSequence(text.substr(i), complete);
        if (complete) {
            result.append(text.substr(i, length));
        } else {
            result.append(ReplacementCharacter);
        }
        i += length;
    }
    return result;
}

}  // namespace trackalbum
