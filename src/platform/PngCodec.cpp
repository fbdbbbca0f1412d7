#include "platform/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

namespace trackalbum {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Text and profile chunks are not needed; a huge one is refused rather than inflated.
constexpr png_alloc_size_t kMaxChunkMemory = 8u << 20;

[[noreturn]] void JumpBack(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

struct MemorySource {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t size) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (size > source->size - source->position) png_error(png, "truncated");
    std::memcpy(out, source->data + source->position, size);
    source->position += size;
}

struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    MemorySource source{};
    ~Reader() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

// Functions that call setjmp keep only trivial locals, so a jump back destroys nothing.
bool ReadHeader(Reader& r, int& channels) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_set_read_fn(r.png, &r.source, ReadFromMemory);
    // The caller has checked the announced size against its own limit.
    png_set_user_limits(r.png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_chunk_malloc_max(r.png, kMaxChunkMemory);
    png_read_info(r.png, r.info);
    png_set_expand(r.png);  // palette and low-depth grey to 8 bits, tRNS to alpha
    png_set_strip_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    channels = png_get_channels(r.png, r.info);
    return png_get_rowbytes(r.png, r.info) ==
           static_cast<size_t>(png_get_image_width(r.png, r.info)) * static_cast<size_t>(channels);
}

bool ReadPixels(Reader& r, png_bytepp rows) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_read_image(r.png, rows);
    return true;
}

struct Writer {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<uint8_t>* out = nullptr;
    ~Writer() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

void WriteToVector(png_structp png, png_bytep data, size_t size) {
    auto* writer = static_cast<Writer*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        writer->out->insert(writer->out->end(), data, data + size);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

bool WriteImage(Writer& w, const Raster& image) {
    if (setjmp(png_jmpbuf(w.png))) return false;
    png_set_write_fn(w.png, &w, WriteToVector, FlushNothing);
    png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 image.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(w.png, w.info);
    for (int y = 0; y < image.height; ++y) png_write_row(w.png, image.Row(y));
    png_write_end(w.png, nullptr);
    return true;
}

uint32_t Get32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }

}  // namespace

bool PngCodec::HasSignature(const uint8_t* head, size_t size) const {
    return size >= sizeof kSignature && std::memcmp(head, kSignature, sizeof kSignature) == 0;
}

bool PngCodec::WritesExtension(std::string_view extension) const { return extension == "png"; }

CodecStatus PngCodec::ReadInfo(ByteReader& reader, ImageInfo& info) const {
    info = {};
    uint8_t b[24];
    if (!reader.ReadExactly(b, sizeof b) || !HasSignature(b, sizeof b) || std::memcmp(b + 12, "IHDR", 4) != 0)
        return CodecStatus::Corrupt;
    const uint32_t width = Get32(b + 16);
    const uint32_t height = Get32(b + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return CodecStatus::Corrupt;
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
    return CodecStatus::Ok;
}

CodecStatus PngCodec::Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                             ImageInfo& info) const {
    out.Clear();
    const CodecStatus headerStatus = ReadCheckedInfo(data, size, maxPixels, info);
    if (headerStatus != CodecStatus::Ok) return headerStatus;

    Reader r;
    r.source = {data, size, 0};
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning);
    if (!r.png) return CodecStatus::OutOfMemory;
    r.info = png_create_info_struct(r.png);
    if (!r.info) return CodecStatus::OutOfMemory;
    int channels = 0;
    if (!ReadHeader(r, channels) || (channels != 3 && channels != 4)) return CodecStatus::Corrupt;
    if (!out.Allocate(info.width, info.height, channels)) return CodecStatus::OutOfMemory;
    std::vector<png_bytep> rows;
    try {
        rows.resize(static_cast<size_t>(out.height));
    } catch (const std::bad_alloc&) {
        out.Clear();
        return CodecStatus::OutOfMemory;
    }
    for (int y = 0; y < out.height; ++y) rows[static_cast<size_t>(y)] = out.Row(y);
    if (!ReadPixels(r, rows.data())) {
        out.Clear();
        return CodecStatus::Corrupt;
    }
    return CodecStatus::Ok;
}

CodecStatus PngCodec::Encode(const Raster& image, std::vector<uint8_t>& out) const {
    out.clear();
    if (image.IsEmpty()) return CodecStatus::Unsupported;
    Writer w;
    w.out = &out;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning);
    if (!w.png) return CodecStatus::OutOfMemory;
    w.info = png_create_info_struct(w.png);
    if (!w.info) return CodecStatus::OutOfMemory;
    if (!WriteImage(w, image)) {
        out.clear();
        return CodecStatus::Corrupt;
    }
    return CodecStatus::Ok;
}

}  // namespace trackalbum
