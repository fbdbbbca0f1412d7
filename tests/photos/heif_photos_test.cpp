// Phone HEIF pictures end to end: scanned with their time and position, placed, listed with a
// thumbnail, copied as JPEGs in both modes and linked from the pages under the JPEG's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "image/Image.h"
#include "page/PhotoMarkers.h"
#include "photos/PhotoCopyRun.h"
#include "photos/Placement.h"
#include "photos/temp_folder_support.h"
#include "pipeline/PictureThumbnail.h"
#include "platform/CFormat.h"
#include "support/CorpusTest.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

class QuietHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string&) override {}
    void EnableCopyControls(bool) override {}
    void Finished(const PhotoCopySummary&) override {}
};

std::string Markers(const PictureList& pictures, bool keepOriginalSize) {
    PageOptions options;
    options.SetKeepOriginalSize(keepOriginalSize ? 1 : 0);
    return BuildPhotoMarkers(options, 3, pictures);
}

// A track that passes the phone photo's own position; the photo was taken before it began.
TEST(HeifPhotosTest, APhonePhotoIsPlacedByItsPositionAndLinkedAsItsJpeg) {
    testing::SetTimeZone("Asia/Tokyo");
    testing::TempFolder folder(true);
    fs::create_directories("photos");
    const std::string data = std::string(TEST_DATA_DIR) + "/data/";
    for (const char* name : {"phone-turned.heic", "heif-named.JPG", "phone-gps.jpg"}) fs::copy_file(data + name, "photos/" + std::string(name));
    PictureList pictures;
    pictures.Scan("photos");
    GpsTrack track;
    for (int i = 0; i < 3; ++i) {
        GpsPoint point;
        point.Time = ParseExifDateTime("2026:05:17 09:50:00") + TimeSpan(60 * i);
        point.Latitude = 35.36 + 0.001 * i, point.Longitude = 138.727;
        track.AddTail(point);
    }
    PlacePictures(pictures, track, 0);
    std::string placed;
    for (const PictureRecord& record : pictures) placed += record.FileName + (record.IsPlaced() ? "+ " : "- ");
    EXPECT_EQ(placed, "heif-named.JPG- phone-gps.jpg- phone-turned.heic+ ");
    EXPECT_EQ(Markers(pictures, false), "\r\n        //写真マーカ\r\n        map.addOverlay(createMarker(new GLatLng( 35.365200, 138.731100),"
                                        "\"img/phone-turned.heic.jpg\",\"\",\"[2026/05/17 09:37]\"));\r\n");
    // The large form takes the size the picture shows: a portrait, turned by the file.
    EXPECT_NE(Markers(pictures, true).find(",\"width=\\\"120\\\"\",\"img/phone-turned.heic.jpg\""), std::string::npos);
}

// Each corpus HEIF file (and the one named .jpg) through the scan, the list's thumbnail,
// both copy modes and the markers.
using HeifCorpusTest = test::CorpusTest;

TEST_F(HeifCorpusTest, EachFileThroughScanThumbnailCopyAndPage) {
    testing::SetTimeZone("UTC");
    const test::JsonValue facts = Facts("heic");
    testing::TempFolder folder(true);
    fs::create_directories("photos");
    for (const auto& [name, fact] : facts.members) fs::copy_file(Corpus() / name, "photos" / fs::path(name).filename());
    fs::copy_file(Corpus() / "jpeg/exif-py__heic_hdlr_box.jpg", "photos/exif-py__heic_hdlr_box.jpg");
    PictureList pictures;
    pictures.Scan("photos");
    ASSERT_EQ(pictures.GetCount(), facts.members.size() + 1);
    std::map<std::string, std::pair<int, int>> shown;
    for (PictureRecord& record : pictures) {
        SCOPED_TRACE(record.FileName);
        ASSERT_TRUE(record.Heif);
        const test::JsonValue& size = facts["heic/" + record.FileName]["display_width_height"];
        shown[record.FileName] = size.items.empty() ? std::pair{1440, 1440} : std::pair{int(size.items[0].number), int(size.items[1].number)};
        const auto [width, height] = shown[record.FileName];
        Image source;
        ASSERT_EQ(LoadThumbnailSource(source, record.GetFullPath()), ImageStatus::Ok);
        EXPECT_EQ(source.GetWidth() >= source.GetHeight(), width >= height);
        EXPECT_EQ(MakeThumbnail(source).GetWidth(), width >= height ? 100 : 75);
        record.SetPosition(35, 139);
    }
    const std::string markers = Markers(pictures, true);
    for (const auto& [name, size] : shown) {
        const std::string link = FormatC(",\"width=\\\"%d\\\"\",\"img/%s", size.first > size.second ? 160 : 120, name.c_str());
        EXPECT_NE(markers.find(link + (name.ends_with(".jpg") ? "\"" : ".jpg\"")), std::string::npos) << name;
    }
    CommentsFile comments;
    QuietHost host;
    for (const bool keep : {false, true}) {
        EXPECT_TRUE(RunPhotoCopy(pictures, comments, "photos", "walk.gpx", keep, host).IsComplete());
        for (const PictureRecord& record : pictures) {
            SCOPED_TRACE(record.FileName);
            int width = 0, height = 0;
            ASSERT_TRUE(ReadImageSize("html/img/" + record.GetPageFileName(), width, height));
            EXPECT_EQ(testing::ReadBytes("html/img/" + record.GetPageFileName()).substr(0, 2), "\xFF\xD8");
            const auto [shownWidth, shownHeight] = shown[record.FileName];
            const int reduced = shownWidth > shownHeight ? 160 : 120;
            const std::pair<int, int> expected = keep ? shown[record.FileName] : std::pair{reduced, shownHeight * reduced / shownWidth};
            EXPECT_EQ(std::make_pair(width, height), expected);
        }
    }
}

}  // namespace
}  // namespace trackalbum
