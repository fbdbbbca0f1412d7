#pragma once
// The desktop program's command line, `trackalbum [GPX_FILE] [--photos DIR]`: it fills the
// two path fields of the panel as the browse buttons would; nothing runs until Apply.
#include <string>
#include <vector>

namespace trackalbum {

struct DesktopCommandLine {
    std::string GpxFile;      // absolute, or empty
    std::string PhotoFolder;  // absolute, or empty
    // The folder the outputs go to, as the file dialog leaves it: the GPX file's folder.
    std::string WorkingFolder;
    bool Help = false;
    bool Version = false;
    std::string Error;  // a usage error; nothing else is set then
};

// `arguments` without the program name; relative paths are taken from `currentFolder`.
DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                           const std::string& currentFolder);

std::string GetDesktopUsageText();

}  // namespace trackalbum
