#pragma once
// A raster image: 24-bit (R, G, B) or 32-bit (R, G, B, A) pixels, (0, 0) at the top left.
// Decoding and encoding by file extension (JPEG, PNG, GIF, BMP), and the drawing surface
// the charts, the photo reduction and the markers need.
#include <cstdint>
#include <string>
#include <vector>

namespace trackalbum {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

enum class ImageStatus { Ok, GenericError, OutOfMemory, FileNotFound, UnknownFormat };

enum class RasterOp { Copy, Xor };

class Image {
public:
    // Images that announce more pixels than this fail to load instead of exhausting memory.
    static constexpr int64_t MaxPixels = 500'000'000;

    // A blank (black) image; depth is 24 or 32. False when it cannot be provided.
    bool Create(int width, int height, int depth);
    void Destroy();
    // Any format the decoders know; upright by the EXIF orientation. The image stays
    // empty on failure.
    ImageStatus Load(const std::string& path);
    // Encoder chosen by the extension, without regard to case: jpg jpeg jpe jfif, png, gif,
    // bmp. An existing file is replaced (written to a temporary name and renamed).
    ImageStatus Save(const std::string& path) const;

    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetDepth() const { return depth_; }
    int GetBytesPerPixel() const { return depth_ / 8; }
    // Row access for filters: GetBytesPerPixel() bytes a pixel, channels R, G, B (, A).
    uint8_t* GetRow(int y) { return pixels_.data() + static_cast<size_t>(y) * Stride(); }
    const uint8_t* GetRow(int y) const { return pixels_.data() + static_cast<size_t>(y) * Stride(); }

    Rgb GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);  // ignored outside the image

    // Drawing surface; everything is clipped to the image.
    void FillRect(int x, int y, int width, int height, Rgb colour);
    // A 1-pixel line that leaves out its end point.
    void DrawLine(int x0, int y0, int x1, int y1, Rgb colour);
    // Copies `source` stretched into the rectangle. Where the source is reduced, the
    // source pixels that fall onto one target pixel are combined by bitwise AND.
    void CopyFrom(const Image& source, int x, int y, int width, int height, RasterOp op);

private:
    size_t Stride() const { return static_cast<size_t>(width_) * static_cast<size_t>(depth_ / 8); }

    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    std::vector<uint8_t> pixels_;
};

// Width and height of an image file from its header, without decoding the pixels; turned
// by the EXIF orientation as Load would. False when the file is not a known image.
bool ReadImageSize(const std::string& path, int& width, int& height);

}  // namespace trackalbum
