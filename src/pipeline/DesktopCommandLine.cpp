#include "pipeline/DesktopCommandLine.h"

namespace trackalbum {
namespace {

std::string Absolute(const std::string& path, const std::string& currentFolder) {
    if (path.empty() || path[0] == '/') return path;
    std::string base = currentFolder;
    if (base.empty() || base.back() != '/') base += '/';
    std::string rest = path;
    while (rest.size() >= 2 && rest[0] == '.' && rest[1] == '/') rest.erase(0, 2);
    if (rest == ".") rest.clear();
    std::string joined = base + rest;
    // "DIR/" names the same folder as "DIR"; keep the root as it is.
    while (joined.size() > 1 && joined.back() == '/') joined.pop_back();
    return joined;
}

std::string FolderOf(const std::string& absolutePath) {
    size_t slash = absolutePath.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : absolutePath.substr(0, slash);
}

DesktopCommandLine Fail(std::string message) {
    DesktopCommandLine result;
    result.Error = std::move(message);
    return result;
}

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                           const std::string& currentFolder) {
    DesktopCommandLine result;
    std::string gpx;
    std::string photos;
    bool gpxGiven = false;
    bool photosGiven = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            result.Help = true;
        } else if (!optionsEnded && argument == "--version") {
            result.Version = true;
        } else if (!optionsEnded && (argument == "--photos" || argument.rfind("--photos=", 0) == 0)) {
            if (photosGiven) return Fail("--photos given twice");
            if (argument == "--photos") {
                if (i + 1 >= arguments.size()) return Fail("--photos needs a folder");
                photos = arguments[++i];
            } else {
                photos = argument.substr(9);
            }
            if (photos.empty()) return Fail("--photos needs a folder");
            photosGiven = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return Fail("unknown option " + argument);
        } else {
            if (gpxGiven) return Fail("only one GPX file can be given");
            if (argument.empty()) return Fail("the GPX file name is empty");
            gpx = argument;
            gpxGiven = true;
        }
    }
    result.GpxFile = Absolute(gpx, currentFolder);
    result.PhotoFolder = Absolute(photos, currentFolder);
    if (!result.GpxFile.empty()) result.WorkingFolder = FolderOf(result.GpxFile);
    return result;
}

std::string GetDesktopUsageText() {
    return "Usage: trackalbum [GPX_FILE] [--photos DIR]\n"
           "\n"
           "Starts the desktop program with the GPX file and the photo folder filled in.\n"
           "The pages are written beside the GPX file once Apply is pressed.\n"
           "\n"
           "  --photos DIR   the folder with the photos\n"
           "  -h, --help     show this text\n"
           "  --version      show the version\n";
}

}  // namespace trackalbum
