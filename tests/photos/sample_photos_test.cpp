// The bundled sample photos against the bundled track: Japan time, camera 3 minutes fast.
#include <gtest/gtest.h>

#include "gps/LoadGpx.h"
#include "photos/Placement.h"
#include "photos/temp_folder_support.h"

namespace trackalbum {
namespace {

TEST(SamplePhotosTest, PlaceTheRightPhotosOnTheSampleTrack) {
    testing::ScopedTimeZone zone("UTC");
    GpsTrack track;
    ASSERT_EQ(ReadGpxFile(track, std::string(SOURCE_DIR) + "/examples/walk.gpx").code, 0u);
    PictureList pictures;
    pictures.Scan(std::string(SOURCE_DIR) + "/examples/photos");
    ASSERT_EQ(pictures.GetCount(), 13u);
    EXPECT_EQ(pictures[12].FileName, "memo.txt");

    // The camera clock is 3 minutes fast, entered as -3 minutes of correction.
    const int32_t gpsOffset = 9 * 3600, photoOffset = -3 * 60;
    PlacePictures(pictures, track, gpsOffset - photoOffset);
    std::string placed;
    for (const PictureRecord& record : pictures) placed += record.IsPlaced() ? '+' : '-';
    EXPECT_EQ(placed, "-+++++++++---") << "before the track, nine on it, after it, unset clock, memo";
    EXPECT_EQ(pictures[0].TakenTime, TimeValue(2026, 5, 17, 9, 20, 0));
    // Entered as +3 minutes the photos shift by six minutes along the track; the same
    // ones stay on it.
    PictureList shifted = pictures;
    for (PictureRecord& record : shifted) record.SetPosition(PictureRecord::NotPlaced, PictureRecord::NotPlaced);
    PlacePictures(shifted, track, gpsOffset - 180);
    for (size_t i = 0; i < shifted.GetCount(); ++i) EXPECT_EQ(shifted[i].IsPlaced(), pictures[i].IsPlaced()) << i;
    EXPECT_EQ(GetTimeStatusText(track, pictures, gpsOffset, photoOffset),
              "GPS記録開始：2026/05/17 09:30:00\r\n最初の写真 ：2026/05/17 09:17:00\r\n");
}

}  // namespace
}  // namespace trackalbum
