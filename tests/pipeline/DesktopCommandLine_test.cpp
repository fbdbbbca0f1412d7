#include "pipeline/DesktopCommandLine.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

TEST(DesktopCommandLine, PathsAreMadeAbsoluteAndTheOutputsGoBesideTheGpxFile) {
    const struct {
        std::vector<std::string> Arguments;
        std::string GpxFile, PhotoFolder, WorkingFolder;
    } cases[] = {
        {{}, "", "", ""},
        {{"walk.gpx"}, "/home/u/walk.gpx", "", "/home/u"},
        {{"./trips/walk.gpx"}, "/home/u/trips/walk.gpx", "", "/home/u/trips"},
        {{"/data/walk.gpx", "--photos", "pics/"}, "/data/walk.gpx", "/home/u/pics", "/data"},
        {{"--photos=/media/card", "walk.gpx"}, "/home/u/walk.gpx", "/media/card", "/home/u"},
        {{"--photos", "."}, "", "/home/u", ""},
        {{"/walk.gpx"}, "/walk.gpx", "", "/"},
        {{"--", "--odd-name.gpx"}, "/home/u/--odd-name.gpx", "", "/home/u"},
    };
    for (const auto& c : cases) {
        DesktopCommandLine line = ParseDesktopCommandLine(c.Arguments, "/home/u");
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        EXPECT_EQ(line.Error, "");
        EXPECT_EQ(line.GpxFile, c.GpxFile);
        EXPECT_EQ(line.PhotoFolder, c.PhotoFolder);
        EXPECT_EQ(line.WorkingFolder, c.WorkingFolder);
    }
}

TEST(DesktopCommandLine, UsageErrorsSetNothingElse) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"a.gpx", "b.gpx"}, {"--photos"}, {"--photos="}, {"--photos", "a", "--photos", "b"}, {"--gpx", "a.gpx"},
             {""}}) {
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
