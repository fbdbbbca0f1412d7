#include "platform/OutputPaths.h"

#include <sys/stat.h>

namespace trackalbum {

void EnsureFolder(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0) return;  // a folder, or something else left alone
    ::mkdir(path.c_str(), 0777);                    // a failure shows at the first write
}

std::string GetOutputBaseName(const std::string& gpxPath) {
    const size_t slash = gpxPath.rfind('/');
    std::string name = slash == std::string::npos ? gpxPath : gpxPath.substr(slash + 1);
    if (name.size() >= 4) {
        std::string ending = name.substr(name.size() - 4);
        for (char& c : ending) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        if (ending == ".gpx") name.resize(name.size() - 4);
    }
    return name;
}

}  // namespace trackalbum
