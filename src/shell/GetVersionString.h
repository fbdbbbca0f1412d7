#pragma once
#include <string>

namespace trackalbum {

// The program's own version, as the build stamped it; "不明" when it has none.
std::string GetVersionString();
std::string VersionOrUnknown(const char* version);

}  // namespace trackalbum
