// trackalbum: the desktop program.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include <wx/app.h>

#include "pipeline/DesktopCommandLine.h"
#include "shell/CTrackalbumApp.h"
#include "shell/GetVersionString.h"


namespace {
std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}
}  // namespace

int main(int argc, char** argv) {
    using namespace trackalbum;
    DesktopCommandLine line =
        ParseDesktopCommandLine(std::vector<std::string>(argv + 1, argv + argc), CurrentFolder());
    if (!line.Error.empty()) {
        std::fprintf(stderr, "trackalbum: %s\n%s", line.Error.c_str(), GetDesktopUsageText().c_str());
        return 2;
    }
    if (line.Help) {
        std::fputs(GetDesktopUsageText().c_str(), stdout);
        return 0;
    }
    if (line.Version) {
        std::printf("trackalbum %s\n", GetVersionString().c_str());
        return 0;
    }
    wxApp::SetInstance(new CTrackalbumApp(std::move(line)));
    // The toolkit gets only the program name: the arguments were ours.
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, argv);
}
