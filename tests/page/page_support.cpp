#include <gtest/gtest.h>

#include "page_support.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace trackalbum::testing {

void PinJapanTime() {
    setenv("TZ", "JST-9", 1);
    tzset();
}

namespace {

GpsTrack MakeTrackFrom(const TestPoint* begin, const TestPoint* end, bool withTime) {
    PinJapanTime();
    const TimeValue start(2006, 5, 3, 14, 0, 0);
    GpsTrack track;
    for (const TestPoint* p = begin; p != end; ++p) {
        GpsPoint point;
        point.SetLatitude(p->latitude);
        point.SetLongitude(p->longitude);
        point.SetElevation(p->elevation);
        if (withTime) point.SetTime(TimeValue(start.GetTime() + p->seconds));
        track.AddTail(point);
    }
    track.Analyse(false, 0.0);
    return track;
}

// Up, flat, flat, down, then a long stop: every grade class and a stopped point.
const TestPoint OutingPoints[] = {
    {35.681236, 139.767125, 10.0, 0},    {35.682236, 139.767125, 20.0, 60},
    {35.683236, 139.768125, 20.0, 120},  {35.684236, 139.769125, 20.4, 180},
    {35.684236, 139.770125, 12.0, 240},  {35.683000, 139.771000, 12.5, 3600},
};

}  // namespace

GpsTrack MakeTrack(std::initializer_list<TestPoint> points, bool withTime) {
    return MakeTrackFrom(points.begin(), points.end(), withTime);
}

GpsTrack MakeOuting() { return MakeTrackFrom(OutingPoints, OutingPoints + 6, true); }
GpsTrack MakeShortOuting() { return MakeTrackFrom(OutingPoints, OutingPoints + 5, true); }
GpsTrack MakeTimelessOuting() { return MakeTrackFrom(OutingPoints, OutingPoints + 6, false); }
PageOptions MakeOptions() {
    PageOptions options;
    options.SetPageName("多摩川サイクリング");
    options.SetAPIKey("ABQIAAAA-test_key");
    options.SetPathColorHex("FF0000");
    options.SetPathWidth(5);
    options.SetAutoZoom(1);
    options.SetZoomLevel(12);
    options.SetControlFlags(6);
    options.SetMapType(0);
    options.SetDisplayWidthText("100%");
    options.SetDisplayHeightText("100%");
    options.SetGpsFile("Ride.gpx");
    options.SetUpColorHex("FF0000");
    options.SetDownColorHex("0000FF");
    options.SetFlatColorHex("00FF00");
    options.SetColoring(1);
    options.SetIconTrace(1);
    options.SetProfWidthText("600px");
    options.SetProfHeightText("400px");
    options.SetScale(1);
    options.SetOverview(1);
    options.SetKeepOriginalSize(0);
    options.SetJapanese(1);
    return options;
}

PictureList MakePictures() {
    PinJapanTime();
    PictureList pictures;
    PictureRecord bridge;
    bridge.SetFolder("/photos");
    bridge.SetFileName("IMG_0001.JPG");
    bridge.SetComment("橋の上から");
    bridge.SetTakenTime(TimeValue(2006, 5, 3, 14, 1, 59));
    bridge.SetPosition(35.682236, 139.767125);
    pictures.AddTail(bridge);

    PictureRecord early;
    early.SetFolder("/photos");
    early.SetFileName("IMG_0000.JPG");
    early.SetTakenTime(TimeValue(2006, 5, 3, 13, 0, 0));
    pictures.AddTail(early);

    PictureRecord river;
    river.SetFolder("/photos");
    river.SetFileName("river view.jpg");
    river.SetComment("");
    river.SetTakenTime(TimeValue(2006, 5, 3, 14, 3, 30));
    river.SetPosition(35.684236, 139.769625);
    pictures.AddTail(river);
    return pictures;
}

TimeValue GoldenNow() {
    PinJapanTime();
    return TimeValue(2006, 5, 3, 14, 7, 9);
}

::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path path = std::filesystem::path(TEST_DATA_DIR) / "page" / "golden" / name;
    const char* update = std::getenv("TA_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        return ::testing::AssertionSuccess() << "written " << path;
    }
    if (!std::filesystem::exists(path)) return ::testing::AssertionFailure() << "no golden file " << path;
    const std::string expected = ReadFileBytes(path);
    if (expected == actual) return ::testing::AssertionSuccess();
    size_t line = 1, start = 0, i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) {
        if (expected[i] == '\n') {
            ++line;
            start = i + 1;
        }
        ++i;
    }
    auto lineAt = [start](const std::string& text) {
        const size_t end = text.find('\n', start);
        return start < text.size() ? text.substr(start, end == std::string::npos ? end : end - start) : "<end>";
    };
    return ::testing::AssertionFailure() << name << " differs at line " << line << "\n  expected: " << lineAt(expected)
                                         << "\n  actual:   " << lineAt(actual);
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ta_page_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Read-only entries made by a test must not keep the folder from going.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

CurrentDirectory::CurrentDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

CurrentDirectory::~CurrentDirectory() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace trackalbum::testing
