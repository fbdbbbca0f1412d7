#pragma once
// A raster image: 24-bit (R, G, B) or 32-bit (R, G, B, A) pixels, (0, 0) at the top left.
// Decoding (JPEG, PNG, GIF, BMP, HEIF) by content, encoding by file extension (JPEG, PNG,
// GIF, BMP), and the drawing surface the charts, the photo reduction and the markers need.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ImageCodec.h"
#include "platform/ImageCodecRaster.h"

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

    // A blank (black, opaque) image; depth is 24 or 32. False when it cannot be provided
    // (the image is then empty).
    bool Create(int width, int height, int depth);
    void Destroy();
    // Any format the decoders know, recognised by its content; upright by the EXIF
    // orientation (a HEIF picture by its own transformations only). The image stays empty
    // on failure.
    ImageStatus Load(const std::string& path);
    // The file's own reduced copy of the picture when it holds one that `fits` accepts (a
    // HEIF thumbnail), else the whole picture as Load gives it.
    ImageStatus LoadPreview(const std::string& path, const PreviewFits& fits);
    // The same from bytes in memory; `maxPixels` lowers the size limit (for fuzzing).
    ImageStatus LoadFromMemory(const uint8_t* data, size_t size, int64_t maxPixels = MaxPixels);
    // Encoder chosen by the extension, without regard to case: jpg jpeg jpe jfif, png, gif,
    // bmp. An existing file is replaced (written to a temporary name and renamed), and a
    // failing save leaves it as it was.
    ImageStatus Save(const std::string& path) const;

    bool IsEmpty() const { return raster_.IsEmpty(); }
    int GetWidth() const { return raster_.width; }
    int GetHeight() const { return raster_.height; }
    int GetDepth() const { return raster_.channels * 8; }
    int GetBytesPerPixel() const { return raster_.channels; }
    // Row access for filters: GetBytesPerPixel() bytes a pixel, channels R, G, B (, A).
    uint8_t* GetRow(int y) { return raster_.Row(y); }
    const uint8_t* GetRow(int y) const { return raster_.Row(y); }
    const Raster& GetRaster() const { return raster_; }

    Rgb GetPixel(int x, int y) const;           // black outside the image
    void SetPixel(int x, int y, Rgb colour);  // ignored outside the image; opaque

    // Drawing surface; everything is clipped to the image. Drawing makes the touched
    // pixels opaque; the exclusive-OR copy leaves alpha as it was.
    void FillRect(int x, int y, int width, int height, Rgb colour);
    // A 1-pixel line that leaves out its end point.
    void DrawLine(int x0, int y0, int x1, int y1, Rgb colour);
    // Copies `source` stretched into the rectangle. Where the source is reduced, the
    // source pixels that fall onto one target pixel are combined by bitwise AND; where it
    // is enlarged, each target pixel takes its nearest source pixel.
    void CopyFrom(const Image& source, int x, int y, int width, int height, RasterOp op);

private:
    Raster raster_;
};

// Width and height of an image file from its header, without decoding the pixels; turned
// as Load would turn it. False when the file is not a known image or its
// header announces more than Image::MaxPixels.
bool ReadImageSize(const std::string& path, int& width, int& height);

}  // namespace trackalbum
