#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "charts/Image.h"
#include "image_test_support.h"

namespace trackalbum {
namespace {

using namespace trackalbum::image_test;

// A picture with many distinct exact colours, to catch any loss in lossless formats.
Image Gradient(int width, int height, int depth) {
    Image image;
    image.Create(width, height, depth);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, {static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 5), static_cast<uint8_t>(x ^ y)});
    return image;
}

bool SamePixels(const Image& a, const Image& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            if (!(a.GetPixel(x, y) == b.GetPixel(x, y))) return false;
    return true;
}

std::string Signature(const std::string& path) {
    const auto bytes = ReadBytes(path);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8) return "jpeg";
    if (bytes.size() >= 4 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') return "png";
    if (bytes.size() >= 3 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F') return "gif";
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return "bmp";
    return "none";
}

class ImageFileTest : public ::testing::Test {
protected:
    ScratchFolder folder;
};

TEST_F(ImageFileTest, LosslessFormatsRoundTripBothDepths) {
    for (const char* extension : {"png", "bmp"}) {
        for (int depth : {24, 32}) {
            const Image original = Gradient(37, 23, depth);
            const std::string path = folder / ("g" + std::to_string(depth) + "." + extension);
            ASSERT_EQ(original.Save(path), ImageStatus::Ok) << path;
            Image loaded;
            ASSERT_EQ(loaded.Load(path), ImageStatus::Ok) << path;
            EXPECT_EQ(loaded.GetDepth(), depth) << path;
            EXPECT_TRUE(SamePixels(original, loaded)) << path;
        }
    }
}

TEST_F(ImageFileTest, AlphaSurvivesPngAndBmp) {
    Image original = Gradient(5, 4, 32);
    original.GetRow(1)[2 * 4 + 3] = 0;
    original.GetRow(3)[4 * 4 + 3] = 77;
    for (const char* name : {"a.png", "a.bmp"}) {
        ASSERT_EQ(original.Save(folder / name), ImageStatus::Ok);
        Image loaded;
        ASSERT_EQ(loaded.Load(folder / name), ImageStatus::Ok);
        ASSERT_EQ(loaded.GetDepth(), 32);
        EXPECT_EQ(loaded.GetRow(1)[2 * 4 + 3], 0) << name;
        EXPECT_EQ(loaded.GetRow(3)[4 * 4 + 3], 77) << name;
        EXPECT_EQ(loaded.GetRow(0)[3], 255) << name;
    }
}

TEST_F(ImageFileTest, JpegKeepsSizeAndColoursApproximately) {
    for (int depth : {24, 32}) {
        const Image original = Quadrants(64, 48, depth);
        ASSERT_EQ(original.Save(folder / "q.jpg"), ImageStatus::Ok);
        Image loaded;
        ASSERT_EQ(loaded.Load(folder / "q.jpg"), ImageStatus::Ok);
        EXPECT_EQ(loaded.GetDepth(), 24);  // JPEG holds no alpha
        ASSERT_EQ(loaded.GetWidth(), 64);
        ASSERT_EQ(loaded.GetHeight(), 48);
        EXPECT_TRUE(Near(loaded.GetPixel(8, 8), kTopLeft));
        EXPECT_TRUE(Near(loaded.GetPixel(55, 8), kTopRight));
        EXPECT_TRUE(Near(loaded.GetPixel(8, 40), kBottomLeft));
        EXPECT_TRUE(Near(loaded.GetPixel(55, 40), kBottomRight));
    }
}

TEST_F(ImageFileTest, GifKeepsAFewColoursExactly) {
    Image chart;
    ASSERT_TRUE(chart.Create(180, 135, 32));
    chart.FillRect(0, 0, 180, 135, {255, 255, 204});
    chart.FillRect(10, 0, 1, 135, {204, 204, 153});
    chart.FillRect(20, 20, 30, 30, {0, 255, 204});
    chart.FillRect(25, 25, 3, 3, {51, 204, 153});
    chart.FillRect(60, 60, 5, 5, {97, 97, 97});  // an anti-aliasing grey, off any fixed grid
    ASSERT_EQ(chart.Save(folder / "chart.gif"), ImageStatus::Ok);
    Image loaded;
    ASSERT_EQ(loaded.Load(folder / "chart.gif"), ImageStatus::Ok);
    EXPECT_EQ(loaded.GetDepth(), 24);
    EXPECT_TRUE(SamePixels(chart, loaded));
}

TEST_F(ImageFileTest, ExtensionsChooseTheEncoderWithoutRegardToCase) {
    const Image image = Quadrants(16, 16, 24);
    const std::pair<const char*, const char*> cases[] = {
        {"a.jpg", "jpeg"}, {"b.JPG", "jpeg"}, {"c.JpEg", "jpeg"}, {"d.jpe", "jpeg"}, {"e.JFIF", "jpeg"},
        {"f.png", "png"},  {"g.PNG", "png"},  {"h.Gif", "gif"},   {"i.bmp", "bmp"},  {"j.BMP", "bmp"},
        {"photo.backup.JPG", "jpeg"}};
    for (const auto& [name, format] : cases) {
        ASSERT_EQ(image.Save(folder / name), ImageStatus::Ok) << name;
        EXPECT_EQ(Signature(folder / name), format) << name;
        int w = 0, h = 0;
        EXPECT_TRUE(ReadImageSize(folder / name, w, h)) << name;
        EXPECT_EQ(w, 16);
    }
}

TEST_F(ImageFileTest, UnknownExtensionOrEmptyImageWritesNothing) {
    const Image image = Quadrants(4, 4, 24);
    for (const char* name : {"a.tif", "noextension", "a.jpg.txt", "a.", "folder.png/../b"}) {
        EXPECT_EQ(image.Save(folder / name), ImageStatus::UnknownFormat) << name;
    }
    EXPECT_NE(Image().Save(folder / "empty.png"), ImageStatus::Ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(ImageFileTest, SaveReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    const std::string path = folder / "p.png";
    WriteBytes(path, {'o', 'l', 'd'});
    ASSERT_EQ(Quadrants(8, 8, 24).Save(path), ImageStatus::Ok);
    Image loaded;
    ASSERT_EQ(loaded.Load(path), ImageStatus::Ok);
    EXPECT_EQ(loaded.GetPixel(0, 0), kTopLeft);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ImageFileTest, FailingSaveLeavesTheOldFile) {
    const Image image = Quadrants(8, 8, 24);
    EXPECT_EQ(image.Save(folder / "missing/x.gif"), ImageStatus::GenericError);
    std::filesystem::create_directory(folder / "taken.png");
    EXPECT_EQ(image.Save(folder / "taken.png"), ImageStatus::GenericError);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.png"));

    std::filesystem::create_directory(folder / "locked");
    const std::string kept = folder / "locked/keep.bmp";
    ASSERT_EQ(image.Save(kept), ImageStatus::Ok);
    const auto before = ReadBytes(kept);
    chmod((folder / "locked").c_str(), 0555);
    if (geteuid() != 0) {  // the super-user writes anywhere
        EXPECT_EQ(Quadrants(4, 4, 32).Save(kept), ImageStatus::GenericError);
        EXPECT_EQ(ReadBytes(kept), before);
    }
    chmod((folder / "locked").c_str(), 0755);
}

TEST_F(ImageFileTest, LoadReportsMissingAndUnusableFiles) {
    Image image = Quadrants(4, 4, 24);
    EXPECT_EQ(image.Load(folder / "nothing.jpg"), ImageStatus::FileNotFound);
    EXPECT_TRUE(image.IsEmpty());
    WriteBytes(folder / "zero.jpg", {});
    EXPECT_EQ(image.Load(folder / "zero.jpg"), ImageStatus::UnknownFormat);
    WriteBytes(folder / "text.jpg", {'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_EQ(image.Load(folder / "text.jpg"), ImageStatus::UnknownFormat);
    std::filesystem::create_directory(folder / "DSC0001.JPG");
    EXPECT_EQ(image.Load(folder / "DSC0001.JPG"), ImageStatus::GenericError);
    ASSERT_EQ(mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);
    EXPECT_EQ(image.Load(folder / "pipe.jpg"), ImageStatus::GenericError);  // and does not block
    int w = 0, h = 0;
    EXPECT_FALSE(ReadImageSize(folder / "pipe.jpg", w, h));
    EXPECT_FALSE(ReadImageSize(folder / "DSC0001.JPG", w, h));
    EXPECT_FALSE(ReadImageSize(folder / "zero.jpg", w, h));
    EXPECT_TRUE(image.IsEmpty());
}

TEST_F(ImageFileTest, UnreadableFileFailsToLoad) {
    if (geteuid() == 0) GTEST_SKIP() << "the super-user reads any file";
    ASSERT_EQ(Quadrants(4, 4, 24).Save(folder / "secret.png"), ImageStatus::Ok);
    chmod((folder / "secret.png").c_str(), 0);
    Image image;
    EXPECT_EQ(image.Load(folder / "secret.png"), ImageStatus::GenericError);
}

TEST_F(ImageFileTest, LoadIgnoresTheExtensionAndReadsTheContent) {
    ASSERT_EQ(Quadrants(6, 4, 24).Save(folder / "real.png"), ImageStatus::Ok);
    std::filesystem::rename(folder / "real.png", folder / "named.jpg");
    Image image;
    ASSERT_EQ(image.Load(folder / "named.jpg"), ImageStatus::Ok);
    EXPECT_EQ(image.GetWidth(), 6);
}

}  // namespace
}  // namespace trackalbum
