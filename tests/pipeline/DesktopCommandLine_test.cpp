#include "pipeline/DesktopCommandLine.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

struct Case {
    std::vector<std::string> Arguments;
    std::string GpxFile;
    std::string PhotoFolder;
    std::string WorkingFolder;
};

TEST(DesktopCommandLine, PathsAreMadeAbsoluteAndTheOutputsGoBesideTheGpxFile) {
    const Case cases[] = {
        {{}, "", "", ""},
        {{"walk.gpx"}, "/home/u/walk.gpx", "", "/home/u"},
        {{"./trips/walk.gpx"}, "/home/u/trips/walk.gpx", "", "/home/u/trips"},
        {{"/data/walk.gpx", "--photos", "pics/"}, "/data/walk.gpx", "/home/u/pics", "/data"},
        {{"--photos=/media/card", "walk.gpx"}, "/home/u/walk.gpx", "/media/card", "/home/u"},
        {{"--photos", "."}, "", "/home/u", ""},
        {{"/walk.gpx"}, "/walk.gpx", "", "/"},
        {{"--", "--odd-name.gpx"}, "/home/u/--odd-name.gpx", "", "/home/u"},
    };
    for (const Case& c : cases) {
        DesktopCommandLine line = ParseDesktopCommandLine(c.Arguments, "/home/u");
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        EXPECT_EQ(line.Error, "");
        EXPECT_EQ(line.GpxFile, c.GpxFile);
        EXPECT_EQ(line.PhotoFolder, c.PhotoFolder);
        EXPECT_EQ(line.WorkingFolder, c.WorkingFolder);
    }
}

TEST(DesktopCommandLine, UsageErrorsSetNothingElse) {
    const std::vector<std::vector<std::string>> bad = {
        {"a.gpx", "b.gpx"}, {"--photos"}, {"--photos="}, {"--photos", "a", "--photos", "b"},
        {"--gpx", "a.gpx"}, {""},
    };
    for (const auto& arguments : bad) {
        DesktopCommandLine line = ParseDesktopCommandLine(arguments, "/home/u");
        SCOPED_TRACE(testing::PrintToString(arguments));
        EXPECT_NE(line.Error, "");
        EXPECT_EQ(line.GpxFile, "");
        EXPECT_EQ(line.PhotoFolder, "");
    }
    EXPECT_TRUE(ParseDesktopCommandLine({"--help"}, "/").Help);
    EXPECT_TRUE(ParseDesktopCommandLine({"--version"}, "/").Version);
}

}  // namespace
}  // namespace trackalbum
