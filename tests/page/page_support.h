#pragma once
// Small readable inputs for the page tests: one outing of six points near Tokyo, its
// variants without time and under ten minutes, a few photos, and the usual settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gps/GpsTrack.h"
#include "photos/PictureList.h"
#include "pipeline/PageOptions.h"

namespace trackalbum::testing {

// Pins the time zone to Japan for every test that formats local times.
void PinJapanTime();

// The outing: six points, 2006/05/03 from 14:00:00 local, climbing, running flat, then
// descending, and a last long stop; 3600 seconds in all (player step 6).
GpsTrack MakeOuting();
// The first five points only: 240 seconds, so the player step is 0.
GpsTrack MakeShortOuting();
// The same positions and elevations without any time.
GpsTrack MakeTimelessOuting();
// A track from (latitude, longitude, elevation, seconds after 14:00:00) points.
struct TestPoint {
    double latitude, longitude, elevation;
    long long seconds;
};
GpsTrack MakeTrack(std::initializer_list<TestPoint> points, bool withTime = true);

// Settings as a user might keep them: auto zoom, large control with the type buttons,
// scale and overview, normal map, 100% x 100%, colouring and icon trace on, Japanese on.
PageOptions MakeOptions();

// Two placed photos and one not placed.
PictureList MakePictures();

// 2006/05/03 14:07:09 local: the generator comment's time in every golden page.
TimeValue GoldenNow();

// Compares `actual` with tests/page/golden/<name>; with TA_UPDATE_GOLDEN=1 in the
// environment the golden file is written instead. Reports the first differing line.
::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual);

// A fresh empty folder, removed with everything in it at destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& GetPath() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs the scope with the current directory set to a folder, restoring it afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace trackalbum::testing
