#pragma once
// Conversion between the program's UTF-8 text and Shift-JIS (code page 932), the code page
// of the comments file.
#include <string>
#include <string_view>

namespace trackalbum {

// True, with `out` set, when every character of the UTF-8 text has a code page 932 form;
// false for text with other characters or bytes that are not UTF-8.
bool EncodeShiftJis(std::string_view utf8, std::string& out);

// Code page 932 bytes as UTF-8. Never fails: a byte that starts no valid character
// becomes U+FFFD and decoding goes on with the next byte.
std::string DecodeShiftJis(std::string_view bytes);

}  // namespace trackalbum
