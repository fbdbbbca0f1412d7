#include "cli/CliOptions.h"

#include <climits>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool AtEnd() const { return index_ >= arguments_.size(); }

    // Splits "--name=value"; the value then belongs to the option.
    std::string NextOption() {
        std::string argument = arguments_[index_++];
        inlineValue_.reset();
        if (argument.rfind("--", 0) == 0) {
            size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                inlineValue_ = argument.substr(equals + 1);
                argument.resize(equals);
            }
        }
        return argument;
    }

    std::string Value(const std::string& option) {
        if (inlineValue_) {
            std::string value = *inlineValue_;
            inlineValue_.reset();
            return value;
        }
        if (AtEnd()) throw UsageError(option + " needs a value");
        return arguments_[index_++];
    }

    void NoValue(const std::string& option) const {
        if (inlineValue_) throw UsageError(option + " takes no value");
    }

private:
    const std::vector<std::string>& arguments_;
    size_t index_ = 0;
    std::optional<std::string> inlineValue_;
};

int ParseInRange(const std::string& text, const std::string& what, int low, int high) {
    int value = ParseWholeNumber(text, what);
    if (value < low || value > high) {
        throw UsageError(what + " must lie between " + std::to_string(low) + " and " +
                         std::to_string(high) + ": " + text);
    }
    return value;
}

}  // namespace

int ParseWholeNumber(const std::string& text, const std::string& what) {
    size_t consumed = 0;
    long long value = ParseLeadingInteger(text, &consumed);
    bool whole = !text.empty() && consumed == text.size() && text[0] != ' ' && text[0] != '\t';
    if (!whole || value < INT_MIN || value > INT_MAX) {
        throw UsageError(what + " is not a whole number: " + text);
    }
    return static_cast<int>(value);
}

CliOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    CliOptions options;
    ArgumentReader reader(arguments);
    while (!reader.AtEnd()) {
        const std::string option = reader.NextOption();
        if (option == "--gpx") {
            options.GpxPath = reader.Value(option);
        } else if (option == "--photos") {
            options.PhotoFolder = reader.Value(option);
            options.PhotosGiven = true;
        } else if (option == "--page-name") {
            options.PageName = reader.Value(option);
        } else if (option == "--tz") {
            options.TimeZoneHours = ParseInRange(reader.Value(option), "--tz", -12, 12);
        } else if (option == "--clock-minutes") {
            options.ClockMinutes = ParseWholeNumber(reader.Value(option), "--clock-minutes");
        } else if (option == "--compression") {
            options.Compression = ParseInRange(reader.Value(option), "--compression", 0, 200);
        } else if (option == "--speed-limit") {
            options.SpeedLimitText = reader.Value(option);
        } else if (option == "--keep-original-size") {
            reader.NoValue(option);
            options.KeepOriginalSize = true;
        } else if (option == "--profile") {
            options.ProfilePath = reader.Value(option);
            if (options.ProfilePath.empty()) throw UsageError("--profile needs a file path");
        } else if (option == "--set") {
            std::string assignment = reader.Value(option);
            size_t equals = assignment.find('=');
            if (equals == std::string::npos || equals == 0) {
                throw UsageError("--set needs KEY=VALUE: " + assignment);
            }
            options.Settings.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
        } else if (option == "-C") {
            options.OutputFolder = reader.Value(option);
            if (options.OutputFolder.empty()) throw UsageError("-C needs a directory");
        } else if (option == "--open") {
            reader.NoValue(option);
            options.Open = true;
        } else if (option == "--stats") {
            reader.NoValue(option);
            options.Stats = true;
        } else if (option == "--copy-photos") {
            reader.NoValue(option);
            options.CopyPhotos = true;
        } else if (option == "--help" || option == "-h") {
            reader.NoValue(option);
            options.Help = true;
        } else if (option == "--version") {
            reader.NoValue(option);
            options.Version = true;
        } else {
            throw UsageError("unknown option: " + option);
        }
    }
    // The photo button is enabled only when both the GPS file and the photo folder are named.
    if (options.CopyPhotos && (options.GpxPath.empty() || options.PhotoFolder.empty())) {
        throw UsageError("--copy-photos needs --gpx and --photos");
    }
    return options;
}

std::string GetUsageText() {
    return "Usage: trackalbum-cli [options]\n"
           "Runs one Apply: reads the GPX track and the photos, writes the pages into html/\n"
           "and prints the address of the main page as the last line.\n"
           "\n"
           "  --gpx PATH            the GPX file (without it only the settings are stored)\n"
           "  --photos DIR          the photo folder; the picture list is printed after Apply\n"
           "  --page-name TEXT      the page title\n"
           "  --tz HOURS            the GPS record's time zone, -12..12 (default 9)\n"
           "  --clock-minutes N     camera clock correction: N minutes are added to every photo's\n"
           "                        taken time (turns the correction on)\n"
           "  --compression N       track reduction, 0..200 (default 0)\n"
           "  --speed-limit KMH     leave out points at or above this speed (read as typed text)\n"
           "  --keep-original-size  photos are to be copied at their own size\n"
           "  --profile PATH        use this profile file instead of the user's own\n"
           "  --set KEY=VALUE       change one stored setting for this and later runs (repeatable)\n"
           "  -C DIR                write the outputs relative to DIR\n"
           "  --open                open the shown page in the desktop's browser\n"
           "  --stats               print the track statistics after Apply\n"
           "  --copy-photos         after Apply, copy or shrink the photos into html/img\n"
           "                        (needs --gpx and --photos; shrunk unless --keep-original-size)\n"
           "  --help, --version\n"
           "\n"
           "Exit status: 0 when Apply completed, 1 when an error ended it, 2 for bad usage.\n"
           "Photos that could not be copied or shrunk are named in the copy's summary.\n";
}

}  // namespace trackalbum
