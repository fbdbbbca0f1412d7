#pragma once
// UTF-8 checks for page text: file names on Linux may be any bytes, and every page must
// still be valid UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace trackalbum {

// Length of the well-formed UTF-8 sequence at the start of `text` (1 to 4), or 0 when it
// does not start with one (overlong forms, surrogates and values past U+10FFFF included).
size_t GetUtf8SequenceLength(std::string_view text);

bool IsValidUtf8(std::string_view text);

// Every maximal ill-formed subpart becomes one U+FFFD; valid text comes back unchanged.
std::string RepairUtf8(std::string_view text);

}  // namespace trackalbum
