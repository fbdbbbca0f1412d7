#pragma once
// Making user text safe in the three places a page holds it: markup (title, attribute
// values), script string literals (marker arguments) and image addresses.
#include <string>
#include <string_view>

namespace trackalbum {

// & < > " as entities; nothing else changes.
std::string EscapeMarkup(std::string_view text);

// For the inside of a double-quoted script string: backslash, double quote, CR and LF
// escaped, "</" written "<\/" so that no text can close the script element, and the "<"
// of "<!--" and "<script" (any case) written "\x3C" so that none can open an escaped state.
std::string EscapeScriptString(std::string_view text);

// A relative address that names exactly this file: % # ? " percent-encoded, and so is every
// byte that is not part of well-formed UTF-8 (the browser turns it back into that byte).
std::string EncodeAddress(std::string_view fileName);

}  // namespace trackalbum
