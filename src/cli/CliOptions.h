#pragma once
// The command line of trackalbum-cli.
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace trackalbum {

// Bad usage: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    std::string GpxPath;
    std::string PhotoFolder;
    bool PhotosGiven = false;
    std::string PageName;
    int TimeZoneHours = 9;
    std::optional<int> ClockMinutes;
    int Compression = 0;
    std::optional<std::string> SpeedLimitText;
    bool KeepOriginalSize = false;
    std::string ProfilePath;  // "" for the user's own profile
    std::vector<std::pair<std::string, std::string>> Settings;  // --set KEY=VALUE, in order
    std::string OutputFolder;  // -C
    bool Open = false;
    bool Stats = false;
    bool CopyPhotos = false;  // the photo button's work after Apply
    bool Help = false;
    bool Version = false;
};

// Raises UsageError for an unknown option, a missing or malformed value.
CliOptions ParseCommandLine(const std::vector<std::string>& arguments);

std::string GetUsageText();

// A whole decimal integer in int range, nothing else; raises UsageError naming `what`.
int ParseWholeNumber(const std::string& text, const std::string& what);

}  // namespace trackalbum
