#include "photos/Placement.h"

#include <gtest/gtest.h>

#include <random>

#include "photos/temp_folder_support.h"

namespace trackalbum {
namespace {

constexpr int64_t Start = 1778977800;  // 2026-05-17 00:30:00 UTC

class PlacementTest : public ::testing::Test {
protected:
    testing::ScopedTimeZone zone_{"UTC"};
    GpsTrack track_;

    void AddPoint(int64_t time, double latitude, double longitude) {
        GpsPoint point;
        point.Time = TimeValue(time);
        point.Latitude = latitude;
        point.Longitude = longitude;
        track_.AddTail(point);
    }

    // Three points ten seconds apart.
    void AddLine() {
        AddPoint(Start, 35.0, 139.0);
        AddPoint(Start + 10, 35.1, 139.2);
        AddPoint(Start + 20, 35.3, 139.4);
    }

    static PictureRecord Photo(int64_t taken) {
        PictureRecord record;
        record.TakenTime = TimeValue(taken);
        return record;
    }

    // Places one photo through the list (the one pass over the track) and alone (the
    // walk); both must agree to the bit.
    PictureRecord Place(int64_t taken, int32_t offset = 0) {
        PictureList pictures;
        pictures.AddTail(Photo(taken));
        PlacePictures(pictures, track_, offset);
        PictureRecord single = Photo(taken);
        PlacePicture(single, track_, offset);
        EXPECT_EQ(single.Latitude, pictures[0].Latitude);
        EXPECT_EQ(single.Longitude, pictures[0].Longitude);
        return pictures[0];
    }
};

TEST_F(PlacementTest, APhotoAtAPointTimeGetsThatPoint) {
    AddLine();
    PictureRecord first = Place(Start);
    EXPECT_EQ(first.Latitude, 35.0);
    EXPECT_EQ(first.Longitude, 139.0);
    PictureRecord middle = Place(Start + 10);
    EXPECT_EQ(middle.Latitude, 35.1);
    EXPECT_EQ(middle.Longitude, 139.2);
    PictureRecord last = Place(Start + 20);
    EXPECT_EQ(last.Latitude, 35.3);
    EXPECT_EQ(last.Longitude, 139.4);
}

TEST_F(PlacementTest, PhotosOutsideTheTrackStayUnplaced) {
    AddLine();
    EXPECT_FALSE(Place(Start - 1).IsPlaced());
    EXPECT_FALSE(Place(Start + 21).IsPlaced());
    track_.Clear();
    EXPECT_FALSE(Place(Start).IsPlaced());
}

TEST_F(PlacementTest, BetweenTwoPointsThePositionIsInterpolatedByTime) {
    AddLine();
    PictureRecord half = Place(Start + 5);
    EXPECT_DOUBLE_EQ(half.Latitude, 35.05);
    EXPECT_DOUBLE_EQ(half.Longitude, 139.1);
    PictureRecord quarter = Place(Start + 15 - 2);  // 3 s after the second point of a 10 s leg
    EXPECT_DOUBLE_EQ(quarter.Latitude, (35.1 * 7 + 35.3 * 3) / 10);
    // However long the gap, a photo inside it is placed.
    AddPoint(Start + 86400 * 30, 36.0, 140.0);
    EXPECT_TRUE(Place(Start + 86400).IsPlaced());
}

TEST_F(PlacementTest, TheOffsetShiftsTheTrackNotThePhoto) {
    AddPoint(Start + 1800, 35.5, 139.5);  // 01:00:00 UTC
    const int32_t zone = 9 * 3600;
    PictureRecord photo = Place(Start + 1800 + zone, zone);  // EXIF 10:00:00 local
    EXPECT_TRUE(photo.IsPlaced());
    EXPECT_EQ(photo.TakenTime, TimeValue(Start + 1800 + zone));
    // The camera clock 5 minutes fast is added: EXIF 09:55:00 matches.
    EXPECT_TRUE(Place(Start + 1800 + zone - 300, zone - 300).IsPlaced());
    EXPECT_FALSE(Place(Start + 1800 + zone, zone - 300).IsPlaced());
}

TEST_F(PlacementTest, ATrackWithoutTimesPlacesNothing) {
    AddPoint(0, 35.0, 139.0);
    AddPoint(0, 35.1, 139.1);
    EXPECT_FALSE(Place(Start, 9 * 3600).IsPlaced());
}

TEST_F(PlacementTest, AnUnorderedTrackUsesTheFirstPointNotEarlierThanThePhoto) {
    AddPoint(Start, 35.0, 139.0);
    AddPoint(Start + 100, 36.0, 140.0);
    AddPoint(Start + 50, 37.0, 141.0);
    AddPoint(Start + 200, 38.0, 142.0);
    PictureRecord photo = Place(Start + 50);
    EXPECT_DOUBLE_EQ(photo.Latitude, 35.5) << "between the first two points, not at the third";
    PictureRecord later = Place(Start + 150);
    EXPECT_DOUBLE_EQ(later.Latitude, (37.0 * 50 + 38.0 * 100) / 150);
}

// Placing the whole list in one pass and the walk for each photo must give the same bits,
// with repeated point times, photos before, inside and after the track, and tracks whose
// times go back somewhere (the photos not yet placed there are walked).
TEST_F(PlacementTest, OnePassAndWalkAgreeOnRandomTracks) {
    std::mt19937_64 random(20260517);
    for (int round = 0; round < 200; ++round) {
        track_.Clear();
        const bool ordered = round % 4 != 0;
        std::uniform_int_distribution<int> step(0, 30);
        std::uniform_real_distribution<double> coordinate(-90.0, 90.0);
        int64_t time = Start + step(random);
        const int count = 1 + round % 40;
        for (int i = 0; i < count; ++i) {
            AddPoint(time, coordinate(random), coordinate(random) * 2);
            time += ordered ? step(random) : step(random) - 10;
        }
        PictureList pictures;
        std::uniform_int_distribution<int64_t> taken(Start - 60, time + 60);
        for (int i = 0; i < 50; ++i) pictures.AddTail(Photo(taken(random)));
        const int32_t offset = static_cast<int32_t>(round % 3) - 1;
        PlacePictures(pictures, track_, offset);
        for (const PictureRecord& placed : pictures) {
            PictureRecord walked = Photo(placed.TakenTime.GetTime());
            PlacePicture(walked, track_, offset);
            ASSERT_EQ(placed.Latitude, walked.Latitude) << "round " << round;
            ASSERT_EQ(placed.Longitude, walked.Longitude) << "round " << round;
        }
    }
}

class TimeStatusTextTest : public PlacementTest {};

TEST_F(TimeStatusTextTest, ReportsTrackStartAndTheHeadPhotoWithTheirOffsets) {
    PictureList pictures;
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 0, 0), "");
    pictures.AddTail(Photo(Start + 9 * 3600 + 180));
    pictures.AddTail(Photo(Start));  // earlier, but not the head of the list
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 9 * 3600, -180), "最初の写真 ：2026/05/17 09:30:00\r\n");
    AddLine();
    EXPECT_EQ(GetTimeStatusText(track_, pictures, 9 * 3600, -180),
              "GPS記録開始：2026/05/17 09:30:00\r\n最初の写真 ：2026/05/17 09:30:00\r\n");
    EXPECT_EQ(GetTimeStatusText(track_, PictureList(), 0, 0), "GPS記録開始：2026/05/17 00:30:00\r\n");
}

}  // namespace
}  // namespace trackalbum
