#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>

#include "image/Image.h"
#include "support/CorpusTest.h"
#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScratchFolder;
using test::WriteFile;
using Bytes = std::vector<uint8_t>;

// Four flat quadrants, so that even a JPEG keeps each one's colour recognisably.
constexpr Rgb kQuadrant[4] = {{220, 30, 30}, {30, 200, 40}, {40, 40, 210}, {240, 240, 240}};

Image Quadrants(int width, int height, int depth) {
    Image image;
    image.Create(width, height, depth);
    for (int q = 0; q < 4; ++q)
        image.FillRect(q % 2 * (width / 2), q / 2 * (height / 2), width - width / 2, height - height / 2, kQuadrant[q]);
    return image;
}

struct ImageFileTest : ::testing::Test {
    ScratchFolder folder;
};

TEST_F(ImageFileTest, LosslessFormatsKeepEveryPixelAndAlpha) {
    for (const char* extension : {"png", "bmp"}) {
        for (int depth : {24, 32}) {
            Image original;  // many distinct exact colours
            ASSERT_TRUE(original.Create(37, 23, depth));
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) original.SetPixel(x, y, {uint8_t(x * 7), uint8_t(y * 5), uint8_t(x ^ y)});
            if (depth == 32) original.GetRow(1)[2 * 4 + 3] = 0, original.GetRow(3)[4 * 4 + 3] = 77;
            const std::string path = folder / ("g" + std::to_string(depth) + "." + extension);
            ASSERT_EQ(original.Save(path), ImageStatus::Ok) << path;
            Image loaded;
            ASSERT_EQ(loaded.Load(path), ImageStatus::Ok) << path;
            ASSERT_EQ(loaded.GetDepth() * loaded.GetWidth() * loaded.GetHeight(), depth * 37 * 23) << path;
            for (int y = 0; y < 23; ++y)
                EXPECT_EQ(std::memcmp(loaded.GetRow(y), original.GetRow(y), 37u * depth / 8), 0) << path << " row " << y;
        }
    }
}

TEST_F(ImageFileTest, TheExtensionChoosesTheEncoderWithoutRegardToCaseAFailingSaveWritesNothing) {
    const Image image = Quadrants(16, 16, 24);
    for (const auto& [name, first] : {std::pair{"a.jpg", 0xFF}, {"b.JPG", 0xFF}, {"c.JpEg", 0xFF}, {"d.jpe", 0xFF},
                                      {"e.JFIF", 0xFF}, {"f.PNG", 0x89}, {"h.Gif", 'G'}, {"i.bmp", 'B'},
                                      {"photo.backup.JPG", 0xFF}}) {
        ASSERT_EQ(image.Save(folder / name), ImageStatus::Ok) << name;
        EXPECT_EQ(ReadFile<Bytes>(folder / name).at(0), first) << name;
        int w = 0, h = 0;
        EXPECT_TRUE(ReadImageSize(folder / name, w, h) && w == 16 && h == 16) << name;
    }
    fs::create_directories(folder / "none/taken.png");
    for (const char* name : {"a.tif", "noextension", "a.jpg.txt", "a.", "folder.png/../b"})
        EXPECT_EQ(image.Save(folder / "none" / name), ImageStatus::UnknownFormat) << name;
    EXPECT_EQ(Image().Save(folder / "none/empty.png"), ImageStatus::GenericError);
    EXPECT_EQ(image.Save(folder / "none/taken.png"), ImageStatus::GenericError);  // a folder stays one
    EXPECT_EQ(image.Save(folder / "none/missing/x.gif"), ImageStatus::GenericError);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "none"), fs::directory_iterator()), 1);
}

TEST_F(ImageFileTest, AFailingReplacementLeavesTheOldFile) {
    fs::create_directories(folder / "locked");
    ASSERT_EQ(Quadrants(8, 8, 24).Save(folder / "locked/keep.bmp"), ImageStatus::Ok);
    const auto before = ReadFile<Bytes>(folder / "locked/keep.bmp");
    chmod((folder / "locked").c_str(), 0555);
    if (geteuid() != 0) {  // the super-user writes anywhere
        EXPECT_EQ(Quadrants(4, 4, 32).Save(folder / "locked/keep.bmp"), ImageStatus::GenericError);
    }
    chmod((folder / "locked").c_str(), 0755);
    EXPECT_EQ(ReadFile<Bytes>(folder / "locked/keep.bmp"), before);
}

TEST_F(ImageFileTest, LoadReadsTheContentAndRefusesWhatIsNoPicture) {
    ASSERT_EQ(Quadrants(6, 4, 24).Save(folder / "named.jpg.png"), ImageStatus::Ok);
    fs::rename(folder / "named.jpg.png", folder / "named.jpg");
    Image image;
    ASSERT_EQ(image.Load(folder / "named.jpg"), ImageStatus::Ok);  // the extension does not matter
    ASSERT_EQ(image.Save(folder / "secret.png"), ImageStatus::Ok);
    chmod((folder / "secret.png").c_str(), 0);
    WriteFile(folder / "zero.jpg", "");
    WriteFile(folder / "text.jpg", "hello\n");
    fs::create_directory(folder / "DSC0001.JPG");
    ASSERT_EQ(mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);  // must not block
    for (const auto& [name, status] : {std::pair{"nothing.jpg", ImageStatus::FileNotFound}, {"zero.jpg", ImageStatus::UnknownFormat},
                                       {"text.jpg", ImageStatus::UnknownFormat}, {"DSC0001.JPG", ImageStatus::GenericError},
                                       {"pipe.jpg", ImageStatus::GenericError}, {"secret.png", ImageStatus::GenericError}}) {
        if (name == std::string("secret.png") && geteuid() == 0) continue;  // the super-user reads any file
        image = Quadrants(4, 4, 24);
        EXPECT_EQ(image.Load(folder / name), status) << name;
        EXPECT_TRUE(image.IsEmpty()) << name;
        int w = 0, h = 0;
        EXPECT_FALSE(ReadImageSize(folder / name, w, h)) << name;
    }
}

// Real camera files, two of them turned by their EXIF orientation.
using ImageCorpusTest = test::CorpusTest;

TEST_F(ImageCorpusTest, EveryCameraJpegLoadsUprightWithItsHeaderSize) {
    const test::Json facts = Facts("jpeg");
    ASSERT_GE(facts.size(), 30u);
    for (const auto& [name, fact] : facts.items()) {
        const std::string path = (Corpus() / name).string();
        Image image;
        const bool ok = image.Load(path) == ImageStatus::Ok;
        int w = 0, h = 0;
        const bool sized = ReadImageSize(path, w, h);
        if (!test::Given(fact, "width")) {  // not a JPEG: only the PNG and the HEIF among them are pictures
            const bool picture = name.ends_with(".png") || name.find("heic") != std::string::npos;
            EXPECT_EQ(std::make_pair(ok, sized), std::make_pair(picture, picture)) << name;
            continue;
        }
        const bool turned = test::Number(fact, "orientation") >= 5;
        const int width = int(test::Number(fact, turned ? "height" : "width"));
        const int height = int(test::Number(fact, turned ? "width" : "height"));
        EXPECT_EQ(std::make_tuple(ok, image.GetDepth(), image.GetWidth(), image.GetHeight()), std::make_tuple(true, 24, width, height)) << name;
        EXPECT_TRUE(sized && w == width && h == height) << name;
    }
}

// A file of every format cut short anywhere before its pixel data ends never loads.
class ImageBadInputTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ImageBadInputTest, TruncatedFilesFailCleanly) {
    ScratchFolder folder;
    Image image = Quadrants(40, 30, 24);
    for (int x = 0; x < 40; ++x) image.DrawLine(x, 0, 39 - x, 30, {uint8_t(x * 6), 90, uint8_t(255 - x * 6)});
    ASSERT_EQ(image.Save(folder / ("sample." + std::string(GetParam()))), ImageStatus::Ok);
    const std::vector<uint8_t> bytes = ReadFile<Bytes>(folder / ("sample." + std::string(GetParam())));
    for (size_t length = 0; length + 16 < bytes.size(); ++length) {
        EXPECT_NE(image.LoadFromMemory(bytes.data(), length), ImageStatus::Ok) << GetParam() << " cut at " << length;
        EXPECT_TRUE(image.IsEmpty());
        if (length % 97 == 0) {  // and through a file now and then, the header alone too
            WriteFile(folder / "cut", Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length)));
            EXPECT_NE(image.Load(folder / "cut"), ImageStatus::Ok) << GetParam() << " cut at " << length;
            int w = 0, h = 0;
            ReadImageSize(folder / "cut", w, h);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ImageBadInputTest, ::testing::Values("jpg", "png", "gif", "bmp"));

// Headers that announce far more pixels than any photo fail before memory is taken.
TEST(ImageHugeSizeTest, PngGifJpegAndBmpHeadersAreRefused) {
    ScratchFolder folder;
    std::map<std::string, std::vector<uint8_t>> files;
    for (const char* extension : {"png", "gif", "jpg", "bmp"}) {
        ASSERT_EQ(Quadrants(16, 16, 24).Save(folder / ("s." + std::string(extension))), ImageStatus::Ok);
        files[extension] = ReadFile<Bytes>(folder / ("s." + std::string(extension)));
    }
    size_t sof = 2;  // the JPEG's frame header
    while (files["jpg"][sof + 1] != 0xC0) sof += 2 + (files["jpg"][sof + 2] << 8 | files["jpg"][sof + 3]);
    const size_t frame = 13 + 3 * (2u << (files["gif"][10] & 7));  // the GIF's first frame
    // 100000 x 100000, 2^31 - 1 x 1, 65535 x 65535, a frame beyond a small screen, 100000 x -100000.
    const std::tuple<const char*, size_t, std::vector<uint8_t>> cases[] = {
        {"png", 16, {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0}}, {"png", 16, {0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1}},
        {"gif", 6, {0xFF, 0xFF, 0xFF, 0xFF}},              {"gif", frame + 5, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"jpg", sof + 5, {0xFF, 0xFF, 0xFF, 0xFF}},        {"bmp", 18, {0xA0, 0x86, 1, 0, 0x60, 0x79, 0xFE, 0xFF}},
    };
    for (const auto& [extension, offset, bytes] : cases) {
        auto data = files[extension];
        std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<ptrdiff_t>(offset));
        const std::string path = folder / ("huge." + std::string(extension));
        WriteFile(path, data);
        Image image;
        EXPECT_EQ(image.Load(path), ImageStatus::OutOfMemory) << extension << offset;
        EXPECT_TRUE(image.IsEmpty());
        int w = 0, h = 0;
        EXPECT_FALSE(ReadImageSize(path, w, h)) << extension << offset;
    }
}

}  // namespace
}  // namespace trackalbum
