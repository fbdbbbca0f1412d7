#include "pipeline/PictureThumbnail.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

// Every pixel tells where it came from: red = x, green = y (of a photo under 256 pixels).
Image Coordinates(int width, int height, int depth) {
    Image image;
    EXPECT_TRUE(image.Create(width, height, depth));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, Rgb{uint8_t(x), uint8_t(y), 7});
    return image;
}

TEST(PictureThumbnailTest, LandscapeAndSquareAre100By75PortraitIs75By100) {
    const std::tuple<int, int, int, int> cases[] = {
        {640, 480, 100, 75}, {480, 640, 75, 100}, {50, 50, 100, 75}, {1, 4000, 75, 100}, {4000, 1, 100, 75}};
    for (const auto& [w, h, tw, th] : cases) {
        const ThumbnailSize size = GetThumbnailSize(w, h);
        EXPECT_EQ(std::pair(size.width, size.height), std::pair(tw, th)) << w << "x" << h;
    }
}

TEST(PictureThumbnailTest, EachPixelComesFromThePhotoPixelAtOrBeforeItsPlace) {
    // A 200 x 250 photo in a 75 x 100 thumbnail: thumbnail pixel -> the photo pixel it shows.
    const std::pair<std::pair<int, int>, Rgb> taken[] = {
        {{0, 0}, {0, 0, 7}}, {{1, 1}, {2, 2, 7}}, {{37, 50}, {98, 125, 7}}, {{74, 99}, {197, 247, 7}}};
    for (int depth : {24, 32}) {
        const Image thumbnail = MakeThumbnail(Coordinates(200, 250, depth));
        ASSERT_EQ(thumbnail.GetWidth(), 75);
        ASSERT_EQ(thumbnail.GetHeight(), 100);
        EXPECT_EQ(thumbnail.GetDepth(), 24);
        for (const auto& [at, rgb] : taken) {
            EXPECT_EQ(thumbnail.GetPixel(at.first, at.second), rgb) << at.first << "," << at.second << " depth " << depth;
        }
    }
    // A photo smaller than the thumbnail is enlarged by repeating its pixels.
    const Image tiny = MakeThumbnail(Coordinates(2, 2, 24));
    EXPECT_EQ(tiny.GetPixel(49, 37), (Rgb{0, 0, 7}));
    EXPECT_EQ(tiny.GetPixel(50, 38), (Rgb{1, 1, 7}));
    EXPECT_TRUE(MakeThumbnail(Image()).IsEmpty());
}

}  // namespace
}  // namespace trackalbum
