#pragma once
// Small readable inputs for the page tests: one outing of six points near Tokyo, a few
// photos, the usual settings and golden-file comparison.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gps/GpsTrack.h"
#include "page/PageOptions.h"
#include "photos/PictureList.h"
#include "support/ScratchFolder.h"
#include "support/TimeZone.h"

namespace trackalbum::testing {

// Every page test reads and writes its times as Japan time.
inline const test::ScopedTimeZone JapanTime{"JST-9"};

// Latitude, longitude, elevation and seconds after 2006/05/03 14:00:00 local.
struct TestPoint {
    double latitude, longitude, elevation;
    long long seconds;
};

inline GpsTrack MakeTrack(const std::vector<TestPoint>& points, bool withTime = true) {
    const TimeValue start(2006, 5, 3, 14, 0, 0);
    GpsTrack track;
    for (const TestPoint& p : points) {
        GpsPoint point;
        point.SetLatitude(p.latitude), point.SetLongitude(p.longitude), point.SetElevation(p.elevation);
        if (withTime) point.SetTime(TimeValue(start.GetTime() + p.seconds));
        track.AddTail(point);
    }
    track.Analyse(false, 0.0);
    return track;
}

// Up, flat, flat, down, then a long stop: 3600 s in all, so the player step is 6. Without
// the stop it lasts 240 s (player step 0).
inline GpsTrack MakeOuting(bool withTime = true, bool withStop = true) {
    std::vector<TestPoint> points = {{35.681236, 139.767125, 10.0, 0},   {35.682236, 139.767125, 20.0, 60},
                                     {35.683236, 139.768125, 20.0, 120}, {35.684236, 139.769125, 20.4, 180},
                                     {35.684236, 139.770125, 12.0, 240}, {35.683000, 139.771000, 12.5, 3600}};
    if (!withStop) points.pop_back();
    return MakeTrack(points, withTime);
}

// Auto zoom, large control with the type buttons, scale and overview, normal map,
// 100% x 100%, colouring and icon trace on, Japanese on.
inline PageOptions MakeOptions() {
    PageOptions o;
    o.SetPageName("多摩川サイクリング"), o.SetAPIKey("ABQIAAAA-test_key"), o.SetGpsFile("Ride.gpx");
    o.SetPathColorHex("FF0000"), o.SetPathWidth(5), o.SetAutoZoom(1), o.SetZoomLevel(12), o.SetControlFlags(6);
    o.SetDisplayWidthText("100%"), o.SetDisplayHeightText("100%");
    o.SetUpColorHex("FF0000"), o.SetDownColorHex("0000FF"), o.SetFlatColorHex("00FF00");
    o.SetColoring(1), o.SetIconTrace(1), o.SetProfWidthText("600px"), o.SetProfHeightText("400px");
    o.SetScale(1), o.SetOverview(1), o.SetJapanese(1);
    return o;
}

inline PictureRecord MakePicture(const std::string& name, const std::string& comment, TimeValue taken,
                                 double latitude = 360.0, double longitude = 360.0) {
    PictureRecord record;
    record.SetFolder(std::string(TEST_DATA_DIR) + "/page/data"), record.SetFileName(name), record.SetComment(comment);
    record.SetTakenTime(taken), record.SetPosition(latitude, longitude);
    return record;
}

// Two placed photos with one not placed between them.
inline PictureList MakePictures() {
    PictureList pictures;
    pictures.AddTail(MakePicture("IMG_0001.JPG", "橋の上から", TimeValue(2006, 5, 3, 14, 1, 59), 35.682236, 139.767125));
    pictures.AddTail(MakePicture("IMG_0000.JPG", "", TimeValue(2006, 5, 3, 13, 0, 0)));
    pictures.AddTail(MakePicture("river view.jpg", "", TimeValue(2006, 5, 3, 14, 3, 30), 35.684236, 139.769625));
    return pictures;
}

inline bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

inline size_t CountOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

// Whether the page equals tests/page/golden/<name>; with TA_UPDATE_GOLDEN=1 in the
// environment the golden file is written first (then review it with git diff).
inline bool MatchesGolden(const std::string& name, const std::string& actual) {
    const auto path = std::filesystem::path(TEST_DATA_DIR) / "page" / "golden" / name;
    const char* update = std::getenv("TA_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") std::ofstream(path, std::ios::binary) << actual;
    return test::ReadFile(path) == actual;
}

}  // namespace trackalbum::testing
