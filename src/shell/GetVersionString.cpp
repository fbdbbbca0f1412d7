#include "shell/GetVersionString.h"

#ifndef TRACKALBUM_VERSION
#define TRACKALBUM_VERSION ""
#endif

namespace trackalbum {

std::string VersionOrUnknown(const char* version) {
    if (version == nullptr || *version == '\0') return "不明";
    return version;
}

std::string GetVersionString() { return VersionOrUnknown(TRACKALBUM_VERSION); }

}  // namespace trackalbum
