#include "platform/ImageCodecRaster.h"

#include <cstring>
#include <limits>
#include <new>

namespace trackalbum {

// Copies throw std::bad_alloc like any other copy; only Allocate reports by its result.
PixelBuffer::PixelBuffer(const PixelBuffer& other) {
    if (other.size_ == 0) return;
    data_ = std::make_unique_for_overwrite<uint8_t[]>(other.size_);
    size_ = other.size_;
    std::memcpy(data_.get(), other.data_.get(), size_);
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other) {
    if (this != &other) {
        PixelBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : data_(std::move(other.data_)), size_(other.size_) {
    other.size_ = 0;
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    data_ = std::move(other.data_);
    size_ = other.size_;
    other.size_ = 0;
    return *this;
}

bool PixelBuffer::Allocate(size_t size) noexcept {
    Clear();
    if (size == 0) return true;
    try {
        data_ = std::make_unique_for_overwrite<uint8_t[]>(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_ = size;
    return true;
}

void PixelBuffer::Clear() noexcept {
    data_.reset();
    size_ = 0;
}

bool Raster::Allocate(int w, int h, int ch) noexcept {
    Clear();
    if (w <= 0 || h <= 0 || (ch != 3 && ch != 4)) return false;
    const uint64_t count = static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
    if (count > std::numeric_limits<size_t>::max() / 8) return false;
    if (!pixels.Allocate(static_cast<size_t>(count) * static_cast<size_t>(ch))) return false;
    width = w;
    height = h;
    channels = ch;
    return true;
}

void Raster::Clear() noexcept {
    pixels.Clear();
    width = height = channels = 0;
}

}  // namespace trackalbum
