// Phone HEIF pictures end to end: scanned, listed with a thumbnail, linked from the markers
// and copied as JPEGs in both modes under the names the markers link.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "image/Image.h"
#include "page/PhotoMarkers.h"
#include "photos/PhotoCopyReport.h"
#include "photos/PhotoCopyRun.h"
#include "photos/photo_test_support.h"
#include "pipeline/PictureThumbnail.h"
#include "platform/CFormat.h"
#include "support/CorpusTest.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using Sizes = std::map<std::string, std::pair<int, int>>;  // the size each picture shows, by file name

class QuietHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string&) override {}
    void EnableCopyControls(bool) override {}
    void Finished(const PhotoCopySummary&) override {}
};

// The pictures of ./photos, placed, through the large markers and both copy modes: each shown
// one becomes a JPEG of its shown size (shrunk: 160 wide if landscape, else 120) under the name
// its marker links, and nothing else reaches the image folder. Returns both summaries.
std::string CopyAndLink(PictureList& pictures, const Sizes& shown) {
    PageOptions options;
    options.SetKeepOriginalSize(1);
    for (PictureRecord& record : pictures) record.SetPosition(35, 139);
    const std::string markers = BuildPhotoMarkers(options, 3, pictures);
    CommentsFile comments;
    QuietHost host;
    std::string summaries;
    for (const bool keep : {false, true}) {
        summaries += PhotoCopyReport::FormatSummary(RunPhotoCopy(pictures, comments, "photos", "walk.gpx", keep, host));
        EXPECT_EQ(std::distance(fs::directory_iterator("html/img"), {}), static_cast<ptrdiff_t>(shown.size()));
        for (const PictureRecord& record : pictures) {
            if (!shown.contains(record.FileName)) continue;
            SCOPED_TRACE(record.FileName + (keep ? " kept" : " shrunk"));
            const auto [width, height] = shown.at(record.FileName);
            const int reduced = width > height ? 160 : 120;
            const std::string copy = "img/" + record.GetPageFileName();
            EXPECT_NE(markers.find(FormatC(",\"width=\\\"%d\\\"\",\"%s\"", reduced, copy.c_str())), std::string::npos);
            int w = 0, h = 0;
            EXPECT_TRUE(ReadImageSize("html/" + copy, w, h));
            EXPECT_EQ(std::make_pair(w, h), (keep ? std::pair{width, height} : std::pair{reduced, height * reduced / width}));
            EXPECT_EQ(test::ReadFile("html/" + copy).substr(0, 3), "\xFF\xD8\xFF");
        }
    }
    return summaries;
}

// One turned by the file, one named .JPG, one cut short; the comments keep the own names.
TEST(HeifPhotosTest, PhonePicturesBecomeJpegsUnderTheNamesTheMarkersLink) {
    test::ScratchFolder folder(test::ScratchFolder::Enter);
    fs::create_directories("photos");
    for (const std::string name : {"phone-turned.heic", "heif-named.JPG", "heif-truncated.heic"}) {
        fs::copy_file(std::string(TEST_DATA_DIR) + "/data/" + name, "photos/" + name);
    }
    PictureList pictures;
    pictures.LoadPictures("photos");
    for (PictureRecord& record : pictures) record.SetComment("c");
    const std::string failed = "、失敗 1枚\n失敗: heif-truncated.heic（画像として読めません）\n";
    EXPECT_EQ(CopyAndLink(pictures, {{"phone-turned.heic", {240, 320}}, {"heif-named.JPG", {200, 120}}}),
              "写真: コピー 0枚、縮小 2枚" + failed + "写真: コピー 2枚、縮小 0枚" + failed);
    const std::string comments = test::ReadFile(GetCommentsPath("walk.gpx"));
    for (const char* line : {"phone-turned.heic,c\r\n", "heif-named.JPG,c\r\n"}) EXPECT_NE(comments.find(line), std::string::npos) << comments;
}

// Each corpus HEIF file (and the one named .jpg): its list thumbnail the way it shows, then
// the markers and both copy modes.
using HeifCorpusTest = test::CorpusTest;

TEST_F(HeifCorpusTest, EachFileThroughScanThumbnailCopyAndPage) {
    const test::Json facts = Facts("heic");
    test::ScratchFolder folder(test::ScratchFolder::Enter);
    fs::create_directories("photos");
    for (const auto& [name, fact] : facts.items()) fs::copy_file(Corpus() / name, "photos" / fs::path(name).filename());
    fs::copy_file(Corpus() / "jpeg/exif-py__heic_hdlr_box.jpg", "photos/exif-py__heic_hdlr_box.jpg");
    PictureList pictures;
    pictures.Scan("photos");
    ASSERT_EQ(pictures.GetCount(), facts.size() + 1);
    Sizes shown;
    for (const PictureRecord& record : pictures) {
        SCOPED_TRACE(record.FileName);
        ASSERT_TRUE(record.Heif);
        const std::string key = "heic/" + record.FileName;  // the one JPEG-named HEIF is 1440 square
        shown[record.FileName] = facts.contains(key) ? facts[key]["display_width_height"].get<std::pair<int, int>>()
                                                     : std::pair{1440, 1440};
        Image source;
        ASSERT_EQ(LoadThumbnailSource(source, record.GetFullPath()), ImageStatus::Ok);
        EXPECT_EQ(source.GetWidth() >= source.GetHeight(), shown[record.FileName].first >= shown[record.FileName].second);
    }
    const std::string count = std::to_string(pictures.GetCount());
    EXPECT_EQ(CopyAndLink(pictures, shown), "写真: コピー 0枚、縮小 " + count + "枚、失敗 0枚\n写真: コピー " + count + "枚、縮小 0枚、失敗 0枚\n");
}

}  // namespace
}  // namespace trackalbum
