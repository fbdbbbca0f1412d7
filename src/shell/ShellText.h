#pragma once
// Texts of the program are UTF-8 in the sources and in the core; a wxString made from a
// plain char* would go through the process locale, which may not be UTF-8.
#include <string>

#include <wx/string.h>

namespace trackalbum {

inline wxString U8(const char* text) { return wxString::FromUTF8(text); }
inline wxString U8(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }
inline std::string ToUtf8(const wxString& text) { return text.utf8_string(); }

}  // namespace trackalbum
