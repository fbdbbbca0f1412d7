#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "charts/Image.h"
#include "image_test_support.h"

namespace trackalbum {
namespace {

using namespace trackalbum::image_test;

struct CorpusPhoto {
    std::string name;
    int width = 0;  // 0 where the file is not a JPEG
    int height = 0;
    int orientation = 1;
};

// The number after `"field":` inside one entry of expected.json; 0 for null or absent.
int Field(const std::string& entry, const std::string& field) {
    const size_t at = entry.find("\"" + field + "\":");
    if (at == std::string::npos) return 0;
    size_t p = entry.find_first_not_of(" ", at + field.size() + 3);
    int value = 0;
    while (p < entry.size() && entry[p] >= '0' && entry[p] <= '9') value = value * 10 + (entry[p++] - '0');
    return value;
}

std::vector<CorpusPhoto> ReadExpected() {
    const auto bytes = ReadBytes(std::string(CORPUS_DIR) + "/expected.json");
    const std::string text(bytes.begin(), bytes.end());
    std::vector<CorpusPhoto> photos;
    const std::string key = "\n  \"jpeg/";
    for (size_t at = text.find(key); at != std::string::npos;) {
        const size_t nameEnd = text.find('"', at + key.size());
        const size_t next = text.find(key, nameEnd);
        const std::string entry = text.substr(nameEnd, next == std::string::npos ? std::string::npos : next - nameEnd);
        CorpusPhoto photo{text.substr(at + key.size(), nameEnd - at - key.size())};
        photo.width = Field(entry, "width");
        photo.height = Field(entry, "height");
        photo.orientation = std::max(1, Field(entry, "orientation"));
        photos.push_back(photo);
        at = next;
    }
    return photos;
}

TEST(ImageCorpusTest, EveryCameraJpegLoadsUprightWithItsHeaderSize) {
    const auto photos = ReadExpected();
    ASSERT_GE(photos.size(), 30u);
    int loaded = 0;
    for (const auto& photo : photos) {
        const std::string path = std::string(CORPUS_DIR) + "/jpeg/" + photo.name;
        Image image;
        const ImageStatus status = image.Load(path);
        int w = 0, h = 0;
        const bool sized = ReadImageSize(path, w, h);
        if (photo.width == 0) {
            if (photo.name.ends_with(".png")) {  // a PNG among the photos loads as what it is
                EXPECT_EQ(status, ImageStatus::Ok);
                EXPECT_TRUE(sized);
            } else {
                EXPECT_NE(status, ImageStatus::Ok) << photo.name;
                EXPECT_FALSE(sized) << photo.name;
                EXPECT_TRUE(image.IsEmpty());
            }
            continue;
        }
        const bool turned = photo.orientation >= 5;
        const int wantWidth = turned ? photo.height : photo.width;
        const int wantHeight = turned ? photo.width : photo.height;
        ASSERT_EQ(status, ImageStatus::Ok) << photo.name;
        EXPECT_EQ(image.GetWidth(), wantWidth) << photo.name;
        EXPECT_EQ(image.GetHeight(), wantHeight) << photo.name;
        EXPECT_EQ(image.GetDepth(), 24) << photo.name;
        ASSERT_TRUE(sized) << photo.name;
        EXPECT_EQ(w, wantWidth) << photo.name;
        EXPECT_EQ(h, wantHeight) << photo.name;
        ++loaded;
    }
    EXPECT_GE(loaded, 30);
}

}  // namespace
}  // namespace trackalbum
