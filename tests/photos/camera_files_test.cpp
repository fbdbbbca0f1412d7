// Photos laid out as cameras, phones and editors write them (tests/data): EXIF first, both
// byte orders, a thumbnail, a portrait stored on its side, an unset clock, an edited photo
// with XMP first, a phone JPEG with its position, HEIF pictures turned by the file or made of
// tiles, an AVIF picture, and broken or hostile HEIF and "ftyp" files.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <map>

#include "image/Image.h"
#include "photos/PictureList.h"
#include "photos/photo_test_support.h"
#include "pipeline/PictureThumbnail.h"

namespace trackalbum {
namespace {

const std::string Data = std::string(TEST_DATA_DIR) + "/data";

struct Expected {
    std::string taken;  // empty: the file's own time
    double latitude = NAN, longitude = NAN;
    bool heif = false;
    std::string pageName;
};

TEST(CameraFilesTest, TheScanReadsTakenTimesPositionsAndHeifPictures) {
    const test::ScopedTimeZone zone("Asia/Tokyo");
    const std::map<std::string, Expected> expected = {
        {"camera-portrait.jpg", {"2026:05:17 09:41:27", NAN, NAN, false, "camera-portrait.jpg"}},
        {"camera-motorola.jpg", {"2026:05:17 10:02:03", NAN, NAN, false, "camera-motorola.jpg"}},
        {"unset-clock.jpg", {"", NAN, NAN, false, "unset-clock.jpg"}},
        {"edited-camera.jpg", {"2026:05:17 09:44:30", NAN, NAN, false, "edited-camera.jpg"}},  // not the edit's 06/01
        {"phone-gps.jpg", {"2026:05:17 09:38:40", -33.4489, -70.6693, false, "phone-gps.jpg"}},
        {"phone-turned.heic", {"2026:05:17 09:37:10", 35.3652, 138.7311, true, "phone-turned.heic.jpg"}},
        {"heif-named.JPG", {"2026:05:17 09:41:05", NAN, NAN, true, "heif-named.JPG"}},
        {"heif-grid.heic", {"", NAN, NAN, true, "heif-grid.heic.jpg"}},
        {"phone.avif", {"", NAN, NAN, true, "phone.avif.jpg"}},
        // Known as HEIF by their brands, but unreadable: no Exif, the file's time.
        {"heif-truncated.heic", {"", NAN, NAN, true, "heif-truncated.heic.jpg"}},
        {"heif-exif-outside.heic", {"", NAN, NAN, true, "heif-exif-outside.heic.jpg"}},
        {"sequence.heic", {"", NAN, NAN, true, "sequence.heic.jpg"}},
        // Too large to decode, yet its Exif item is sound.
        {"heif-huge.heic", {"2026:05:17 09:37:10", 35.3652, 138.7311, true, "heif-huge.heic.jpg"}},
        {"video.mp4", {"", NAN, NAN, false, "video.mp4"}},
    };
    PictureList pictures;
    pictures.Scan(Data);
    size_t seen = 0;
    for (const PictureRecord& record : pictures) {
        const auto it = expected.find(record.FileName);
        if (it == expected.end()) continue;  // the folder's tracks and scripts
        SCOPED_TRACE(record.FileName);
        ++seen;
        const Expected& e = it->second;
        if (e.taken.empty()) {
            EXPECT_NE(record.TakenTime, TimeValue());
            EXPECT_GT(record.TakenTime, ParseExifDateTime("2026:07:01 00:00:00")) << "a file time, after the pictures' times";
        } else {
            EXPECT_EQ(record.TakenTime, ParseExifDateTime(e.taken));
        }
        EXPECT_EQ(record.HasOwnPosition(), !std::isnan(e.latitude));
        if (record.HasOwnPosition()) {
            EXPECT_NEAR(record.OwnLatitude, e.latitude, 1e-6);
            EXPECT_NEAR(record.OwnLongitude, e.longitude, 1e-6);
        }
        EXPECT_EQ(record.Heif, e.heif);
        EXPECT_EQ(record.GetPageFileName(), e.pageName);
        EXPECT_FALSE(record.IsPlaced());
    }
    EXPECT_EQ(seen, expected.size());
}

// Upright as the camera saw it: red on top, green at the bottom. A HEIF picture turns by the
// file's own rotation only, never again by its Exif orientation. The picture list takes a HEIF
// picture's own thumbnail when it is large enough, upright too, but never a JPEG's.
TEST(CameraFilesTest, PicturesLoadUprightWithTheSizeTheyShow) {
    const struct {
        const char* file;
        int width, height;
        bool banded;
        int thumbnailWidth, thumbnailHeight;  // the list's source; 0: not looked at
    } cases[] = {{"camera-portrait.jpg", 240, 320, true, 240, 320}, {"camera-motorola.jpg", 200, 150, false, 0, 0},
                 {"unset-clock.jpg", 160, 120, false, 0, 0}, {"phone-turned.heic", 240, 320, true, 120, 160},
                 {"heif-named.JPG", 200, 120, true, 200, 120}, {"heif-grid.heic", 400, 120, true, 0, 0},
                 {"phone.avif", 200, 120, true, 0, 0}};
    const auto expectBanded = [](const Image& image) {
        const Rgb top = image.GetPixel(image.GetWidth() / 2, image.GetHeight() / 10);
        const Rgb bottom = image.GetPixel(image.GetWidth() / 2, image.GetHeight() * 9 / 10);
        EXPECT_TRUE(top.r > 180 && top.g < 80 && top.b < 80) << int(top.r) << "," << int(top.g) << "," << int(top.b);
        EXPECT_TRUE(bottom.g > 120 && bottom.r < 80) << int(bottom.r) << "," << int(bottom.g) << "," << int(bottom.b);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Image image;
        ASSERT_EQ(image.Load(Data + "/" + c.file), ImageStatus::Ok);
        EXPECT_EQ(std::make_pair(image.GetWidth(), image.GetHeight()), std::make_pair(c.width, c.height));
        int w = 0, h = 0;
        ASSERT_TRUE(ReadImageSize(Data + "/" + c.file, w, h));
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(c.width, c.height));
        if (c.banded) expectBanded(image);
        if (c.thumbnailWidth == 0) continue;
        ASSERT_EQ(LoadThumbnailSource(image, Data + "/" + c.file), ImageStatus::Ok);
        EXPECT_EQ(std::make_pair(image.GetWidth(), image.GetHeight()), std::make_pair(c.thumbnailWidth, c.thumbnailHeight));
        expectBanded(image);
    }
}

// Broken, hostile and not-a-picture files: a clear failure, quickly and within bounded memory.
TEST(CameraFilesTest, BrokenAndHostileHeifFilesFailCleanly) {
    for (const std::string file : {"heif-truncated.heic", "heif-exif-outside.heic", "heif-huge.heic", "heif-grid-huge.heic",
                                   "heif-coded-larger.heic", "avif-coded-larger.avif", "sequence.heic", "video.mp4"}) {
        SCOPED_TRACE(file);
        Image image;
        const ImageStatus status = image.Load(Data + "/" + file);
        EXPECT_EQ(status, file.find("huge") != std::string::npos ? ImageStatus::OutOfMemory
                          : file == "video.mp4"                 ? ImageStatus::UnknownFormat
                                                                : ImageStatus::GenericError);
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_NE(LoadThumbnailSource(image, Data + "/" + file), ImageStatus::Ok);
        int w = 0, h = 0;
        EXPECT_EQ(ReadImageSize(Data + "/" + file, w, h), false);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 200 * 1024) << "kilobytes at most for the whole test";
}

}  // namespace
}  // namespace trackalbum
