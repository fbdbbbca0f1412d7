// JPEGs laid out as cameras write them (tests/data): EXIF first, both byte orders, a thumbnail
// inside the EXIF block, a portrait stored on its side, a clock that was never set.
#include <gtest/gtest.h>

#include <map>

#include "charts/Image.h"
#include "photos/ExifReader.h"
#include "photos/PictureList.h"
#include "photos/temp_folder_support.h"

namespace trackalbum {
namespace {

const std::string Data = std::string(TEST_DATA_DIR) + "/data";

TEST(CameraFilesTest, TheScanTakesIfd0DateTimeOrFallsBackToTheFileTime) {
    testing::SetTimeZone("Asia/Tokyo");
    const std::map<std::string, std::string> taken = {
        {"camera-portrait.jpg", "2026:05:17 09:41:27"},
        {"camera-motorola.jpg", "2026:05:17 10:02:03"},
        {"unset-clock.jpg", ""},
    };
    PictureList pictures;
    pictures.Scan(Data);
    size_t seen = 0;
    for (const PictureRecord& record : pictures) {
        if (!record.FileName.ends_with(".jpg")) continue;  // the folder's other files
        SCOPED_TRACE(record.FileName);
        ASSERT_EQ(taken.count(record.FileName), 1u);
        ++seen;
        const std::string& text = taken.at(record.FileName);
        ExifReader reader;
        ASSERT_EQ(reader.Read(record.GetFullPath()), text.empty() ? 0 : 1);
        if (text.empty()) {
            EXPECT_NE(record.TakenTime, TimeValue());  // the file's own time
        } else {
            EXPECT_EQ(reader.GetTime(), ParseExifDateTime(text));
            EXPECT_EQ(record.TakenTime, reader.GetTime());
        }
    }
    EXPECT_EQ(seen, taken.size());
}

TEST(CameraFilesTest, PicturesLoadUprightWithTheirHeaderSize) {
    struct Case {
        const char* file;
        int width, height;
    };
    for (const Case& c : {Case{"camera-portrait.jpg", 240, 320}, Case{"camera-motorola.jpg", 200, 150},
                          Case{"unset-clock.jpg", 160, 120}}) {
        SCOPED_TRACE(c.file);
        Image image;
        ASSERT_EQ(image.Load(Data + "/" + c.file), ImageStatus::Ok);
        EXPECT_EQ(std::make_pair(image.GetWidth(), image.GetHeight()), std::make_pair(c.width, c.height));
        int w = 0, h = 0;
        ASSERT_TRUE(ReadImageSize(Data + "/" + c.file, w, h));
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(c.width, c.height));
    }
    // Turned by its orientation: red band on top, green at the bottom, as the camera saw it.
    Image portrait;
    ASSERT_EQ(portrait.Load(Data + "/camera-portrait.jpg"), ImageStatus::Ok);
    const Rgb top = portrait.GetPixel(120, 20), bottom = portrait.GetPixel(120, 300);
    EXPECT_TRUE(top.r > 180 && top.g < 80 && top.b < 80) << int(top.r) << "," << int(top.g) << "," << int(top.b);
    EXPECT_TRUE(bottom.g > 120 && bottom.r < 80) << int(bottom.r) << "," << int(bottom.g) << "," << int(bottom.b);
}

}  // namespace
}  // namespace trackalbum
