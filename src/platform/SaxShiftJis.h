#pragma once
// Shift-JIS (code page 932) for the XML reader: Japanese GPS software writes GPX files that
// declare encoding="Shift_JIS", which the XML parser does not know by itself.
#include <string_view>

namespace trackalbum {

// True for the names under which documents declare code page 932 (case-insensitive).
bool IsShiftJisEncodingName(std::string_view name);

// What one byte starts: a code point >= 0 for a one-byte character, -2 for the lead byte of
// a two-byte character, -1 for a byte that starts no character.
int ShiftJisByteMap(unsigned char byte);

// The code point of the two-byte character at `bytes`, or -1 when it has none.
int ShiftJisTwoByteCodePoint(const char* bytes);

}  // namespace trackalbum
