#include "photos/Placement.h"

#include <gtest/gtest.h>

#include <random>

#include "gps/LoadGpx.h"
#include "photos/photo_test_support.h"

namespace trackalbum {
namespace {

constexpr int64_t Start = 1778977800;  // 2026-05-17 00:30:00 UTC
constexpr double No = PictureRecord::NotPlaced;

class PlacementTest : public ::testing::Test {
protected:
    const test::ScopedTimeZone zone_{"UTC"};
    void AddPoint(int64_t time, double latitude, double longitude) {
        GpsPoint point;
        point.Time = TimeValue(time), point.Latitude = latitude, point.Longitude = longitude;
        track_.AddTail(point);
    }
    static PictureRecord Photo(int64_t taken, double ownLatitude = No, double ownLongitude = No) {
        PictureRecord record;
        record.TakenTime = TimeValue(taken), record.OwnLatitude = ownLatitude, record.OwnLongitude = ownLongitude;
        return record;
    }
    void ExpectPlaced(int64_t taken, int32_t offset, double latitude, double longitude) {
        PictureRecord photo = Photo(taken);
        PlacePicture(photo, track_, offset);
        EXPECT_DOUBLE_EQ(photo.Latitude, latitude) << taken - Start;
        EXPECT_DOUBLE_EQ(photo.Longitude, longitude) << taken - Start;
    }
    GpsTrack track_;
};

TEST_F(PlacementTest, PhotosAtPointsBetweenThemAndOutsideTheTrack) {
    ExpectPlaced(Start, 0, No, No);  // an empty track
    AddPoint(Start, 35.0, 139.0);
    AddPoint(Start + 10, 35.1, 139.2);
    AddPoint(Start + 20, 35.3, 139.4);
    const struct { int64_t seconds; double latitude, longitude; } cases[] = {
        {-1, No, No}, {0, 35.0, 139.0}, {5, 35.05, 139.1}, {10, 35.1, 139.2},
        {13, 35.16, 139.26}, {20, 35.3, 139.4}, {21, No, No}};
    for (const auto& c : cases) ExpectPlaced(Start + c.seconds, 0, c.latitude, c.longitude);
    // The offset shifts the track: +9 h, then a camera 5 minutes fast added as -300 s.
    ExpectPlaced(Start + 9 * 3600 + 10, 9 * 3600, 35.1, 139.2);
    ExpectPlaced(Start + 9 * 3600 + 10 - 300, 9 * 3600 - 300, 35.1, 139.2);
    AddPoint(Start + 86400 * 30 + 20, 35.3, 140.4);
    ExpectPlaced(Start + 86400 * 15 + 20, 0, 35.3, 139.9);  // however long the gap
    // Times going back: the first point not earlier than the photo, in stored order.
    AddPoint(Start + 15, 37.0, 141.0);
    AddPoint(Start + 86400 * 62 + 15, 38.0, 142.0);
    ExpectPlaced(Start + 86400 * 31 + 15, 0, 37.5, 141.5);
    track_.Clear();
    AddPoint(0, 35.0, 139.0);  // a track without times
    ExpectPlaced(Start, 9 * 3600, No, No);
}

// The whole list (one pass while times never go back) and the walk for each photo give the
// same bits, with repeated times, photos before, on and after the track, and times going back.
TEST_F(PlacementTest, OnePassAndWalkAgreeOnRandomTracks) {
    std::mt19937_64 random(20260517);
    std::uniform_int_distribution<int> step(0, 30);
    std::uniform_real_distribution<double> coordinate(-90.0, 90.0);
    for (int round = 0; round < 200; ++round) {
        track_.Clear();
        int64_t time = Start + step(random);
        for (int i = 0; i <= round % 40; ++i, time += step(random) - (round % 4 ? 0 : 10)) {
            AddPoint(time, coordinate(random), coordinate(random));
        }
        PictureList pictures;
        for (int i = 0; i < 50; ++i) pictures.AddTail(Photo(Start - 60 + static_cast<int64_t>(random() % (time - Start + 121))));
        PlacePictures(pictures, track_, round % 3 - 1);
        for (const PictureRecord& placed : pictures) {
            PictureRecord walked = Photo(placed.TakenTime.GetTime());
            PlacePicture(walked, track_, round % 3 - 1);
            ASSERT_TRUE(placed.Latitude == walked.Latitude && placed.Longitude == walked.Longitude) << "round " << round;
        }
    }
}

// Photos that record where they were taken: those the time leaves unplaced take their own
// position when it lies within the track's box widened by 0.01 degree.
TEST_F(PlacementTest, UnplacedPhotosTakeTheirOwnPositionNearTheTrack) {
    struct { PictureRecord record; double latitude, longitude; } cases[] = {
        {Photo(Start - 600, 35.3099, 139.4099), 35.3099, 139.4099}, {Photo(Start + 600, 34.9901, 138.9901), 34.9901, 138.9901},
        {Photo(Start - 600, 35.3101, 139.2), No, No}, {Photo(Start - 600, 34.9899, 139.2), No, No},
        {Photo(Start - 600, 35.2, 139.4101), No, No}, {Photo(Start - 600, 35.2, 138.9899), No, No},
        {Photo(Start + 10, 35.2, 139.3), 35.1, 139.2},  // placed by its time, which it keeps
        {Photo(Start + 600, No, No), No, No},           // no position of its own
        {Photo(Start + 600, -35.2, -139.3), No, No}};   // far away, at home
    PictureList pictures;
    for (const auto& c : cases) pictures.AddTail(c.record);
    PlacePictures(pictures, track_, 0);  // an empty track places nothing
    for (const PictureRecord& record : pictures) EXPECT_FALSE(record.IsPlaced());
    for (const bool timed : {true, false}) {
        // Then a planned route without times: only the photos' own positions place them.
        track_.Clear();
        AddPoint(timed ? Start : 0, 35.0, 139.0);
        AddPoint(timed ? Start + 10 : 0, 35.1, 139.2);
        AddPoint(timed ? Start + 20 : 0, 35.3, 139.4);
        if (!timed) cases[6].latitude = 35.2, cases[6].longitude = 139.3;
        PictureList placed = pictures;
        PlacePictures(placed, track_, 0);
        for (size_t i = 0; i < std::size(cases); ++i) {
            EXPECT_TRUE(placed[i].Latitude == cases[i].latitude && placed[i].Longitude == cases[i].longitude) << i << (timed ? "" : " untimed");
        }
    }
}

// The bundled sample: Japan time, the camera 3 minutes fast, entered as -3 minutes.
TEST_F(PlacementTest, TheSamplePhotosOnTheSampleTrackAndTheTimeReport) {
    PictureList pictures;
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 0, 0), "");
    pictures.Scan(std::string(SOURCE_DIR) + "/examples/photos");
    pictures.AddTail(Photo(Start));  // earlier, but not the head of the list
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 9 * 3600, -180), "最初の写真 ：2026/05/17 09:17:00\r\n");
    ASSERT_EQ(ReadGpxFile(track_, std::string(SOURCE_DIR) + "/examples/walk.gpx").code, 0u);
    PlacePictures(pictures, track_, 9 * 3600 + 180);
    std::string placed;
    for (const PictureRecord& record : pictures) placed += record.IsPlaced() ? '+' : '-';
    EXPECT_EQ(placed, "-+++++++++----") << "before the track, nine on it, after it, unset clock, memo, early";
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 9 * 3600, -180),
              "GPS記録開始：2026/05/17 09:30:00\r\n最初の写真 ：2026/05/17 09:17:00\r\n");
}

}  // namespace
}  // namespace trackalbum
