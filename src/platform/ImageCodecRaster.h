#pragma once
// The pixel store shared by the codecs and the image: tightly packed rows of R, G, B (, A)
// bytes, (0, 0) at the top left. Kept free of any drawing so the codecs need nothing else.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace trackalbum {

// An owning byte buffer that is not zero-filled on allocation: decoders overwrite every
// byte anyway, and untouched pages of a large announced image cost no memory.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(const PixelBuffer& other);
    PixelBuffer& operator=(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;

    // False (and the buffer empty) when the memory cannot be had.
    bool Allocate(size_t size) noexcept;
    void Clear() noexcept;

    uint8_t* Data() { return data_.get(); }
    const uint8_t* Data() const { return data_.get(); }
    size_t Size() const { return size_; }

private:
    std::unique_ptr<uint8_t[]> data_;
    size_t size_ = 0;
};

struct Raster {
    int width = 0;
    int height = 0;
    int channels = 0;  // 3 (R, G, B) or 4 (R, G, B, A)
    PixelBuffer pixels;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    size_t Stride() const { return static_cast<size_t>(width) * static_cast<size_t>(channels); }
    uint8_t* Row(int y) { return pixels.Data() + static_cast<size_t>(y) * Stride(); }
    const uint8_t* Row(int y) const { return pixels.Data() + static_cast<size_t>(y) * Stride(); }

    // Uninitialised pixels of the given shape; false (and the raster empty) when the
    // shape is invalid or the memory cannot be had.
    bool Allocate(int w, int h, int ch) noexcept;
    void Clear() noexcept;
};

}  // namespace trackalbum
