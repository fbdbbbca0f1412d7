#include "platform/GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/GifPalette.h"

namespace trackalbum {

namespace {

struct MemorySource {
    const uint8_t* data;
    size_t size;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
    auto* source = static_cast<MemorySource*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(std::max(wanted, 0)), source->size - source->position);
    std::memcpy(out, source->data + source->position, n);
    source->position += n;
    return static_cast<int>(n);
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
struct EncoderCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
struct MapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Skips the data sub-blocks of an extension, up to and including the empty one.
bool SkipSubBlocks(ByteReader& reader) {
    for (;;) {
        uint8_t size = 0;
        if (!reader.ReadExactly(&size, 1)) return false;
        if (size == 0) return true;
        if (!reader.Skip(size)) return false;
    }
}

// Reads the extensions before the first frame (noting its transparent colour) and the
// frame's descriptor.
bool ReadUpToFirstFrame(GifFileType* gif, int& transparentIndex) {
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
        if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
        if (type != EXTENSION_RECORD_TYPE) return false;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            GraphicsControlBlock control;
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparentIndex = control.TransparentColor;
        }
        while (block) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
        }
    }
}

bool DecodeFrame(GifFileType* gif, int transparentIndex, Raster& out) {
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || frame.Width <= 0 || frame.Height <= 0) return false;
    PixelBuffer line;
    if (!line.Allocate(static_cast<size_t>(frame.Width))) return false;
    const int pixel = out.channels;
    auto decodeRow = [&](int row) {
        if (DGifGetLine(gif, line.Data(), frame.Width) == GIF_ERROR) return false;
        uint8_t* p = out.Row(frame.Top + row) + static_cast<size_t>(frame.Left) * pixel;
        for (int x = 0; x < frame.Width; ++x, p += pixel) {
            const int index = line.Data()[x];
            if (index == transparentIndex) continue;  // stays transparent black
            if (index < map->ColorCount) {
                p[0] = map->Colors[index].Red;
                p[1] = map->Colors[index].Green;
                p[2] = map->Colors[index].Blue;
            } else {
                p[0] = p[1] = p[2] = 0;
            }
            if (pixel == 4) p[3] = 255;
        }
        return true;
    };
    if (frame.Interlace) {
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = kStart[pass]; row < frame.Height; row += kStep[pass])
                if (!decodeRow(row)) return false;
    } else {
        for (int row = 0; row < frame.Height; ++row)
            if (!decodeRow(row)) return false;
    }
    return true;
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    try {
        out->insert(out->end(), data, data + size);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return size;
}

}  // namespace

bool GifCodec::HasSignature(const uint8_t* head, size_t size) const {
    return size >= 6 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0);
}

bool GifCodec::WritesExtension(std::string_view extension) const { return extension == "gif"; }

// The picture is the logical screen, widened where the first frame reaches beyond it.
CodecStatus GifCodec::ReadInfo(ByteReader& reader, ImageInfo& info) const {
    info = {};
    uint8_t b[13];
    if (!reader.ReadExactly(b, sizeof b) || !HasSignature(b, sizeof b)) return CodecStatus::Corrupt;
    const int screenWidth = Get16(b + 6);
    const int screenHeight = Get16(b + 8);
    if ((b[10] & 0x80) && !reader.Skip(3u * (2u << (b[10] & 7)))) return CodecStatus::Corrupt;
    for (;;) {
        uint8_t type = 0;
        if (!reader.ReadExactly(&type, 1)) return CodecStatus::Corrupt;
        if (type == 0x21) {
            if (!reader.Skip(1) || !SkipSubBlocks(reader)) return CodecStatus::Corrupt;
        } else if (type == 0x2C) {
            uint8_t d[9];
            if (!reader.ReadExactly(d, sizeof d)) return CodecStatus::Corrupt;
            info.width = std::max(screenWidth, Get16(d) + Get16(d + 4));
            info.height = std::max(screenHeight, Get16(d + 2) + Get16(d + 6));
            if (Get16(d + 4) == 0 || Get16(d + 6) == 0) return CodecStatus::Corrupt;
            return CodecStatus::Ok;
        } else {
            return CodecStatus::Corrupt;
        }
    }
}

CodecStatus GifCodec::Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                             ImageInfo& info) const {
    out.Clear();
    const CodecStatus headerStatus = ReadCheckedInfo(data, size, maxPixels, info);
    if (headerStatus != CodecStatus::Ok) return headerStatus;

    MemorySource source{data, size, 0};
    int error = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&source, ReadFromMemory, &error));
    if (!gif) return CodecStatus::Corrupt;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    if (!ReadUpToFirstFrame(gif.get(), transparentIndex)) return CodecStatus::Corrupt;
    const GifImageDesc& frame = gif->Image;
    const int width = std::max(gif->SWidth, frame.Left + frame.Width);
    const int height = std::max(gif->SHeight, frame.Top + frame.Height);
    if (width != info.width || height != info.height) return CodecStatus::Corrupt;
    const bool coversAll = frame.Left == 0 && frame.Top == 0 && frame.Width == width && frame.Height == height;
    const int channels = transparentIndex != NO_TRANSPARENT_COLOR || !coversAll ? 4 : 3;
    if (!out.Allocate(width, height, channels)) return CodecStatus::OutOfMemory;
    if (channels == 4) std::memset(out.pixels.Data(), 0, out.pixels.Size());
    if (!DecodeFrame(gif.get(), transparentIndex, out)) {
        out.Clear();
        return CodecStatus::Corrupt;
    }
    return CodecStatus::Ok;
}

CodecStatus GifCodec::Encode(const Raster& image, std::vector<uint8_t>& out) const {
    out.clear();
    if (image.IsEmpty() || image.width > 0xFFFF || image.height > 0xFFFF) return CodecStatus::Unsupported;
    GifPalette palette;
    PixelBuffer indices;
    if (!indices.Allocate(static_cast<size_t>(image.width) * static_cast<size_t>(image.height)))
        return CodecStatus::OutOfMemory;
    try {
        palette = BuildGifPalette(image, indices.Data());
    } catch (const std::bad_alloc&) {
        return CodecStatus::OutOfMemory;
    }
    int entries = 2;
    while (entries < static_cast<int>(palette.colours.size())) entries *= 2;
    std::vector<GifColorType> colours(static_cast<size_t>(entries), GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.colours.size(); ++i)
        colours[i] = {palette.colours[i].r, palette.colours[i].g, palette.colours[i].b};
    std::unique_ptr<ColorMapObject, MapFree> map(GifMakeMapObject(entries, colours.data()));
    if (!map) return CodecStatus::OutOfMemory;

    int error = 0;
    std::unique_ptr<GifFileType, EncoderCloser> gif(EGifOpen(&out, WriteToVector, &error));
    if (!gif) return CodecStatus::OutOfMemory;
    const bool transparent = palette.transparentIndex >= 0;
    EGifSetGifVersion(gif.get(), transparent);
    bool ok = EGifPutScreenDesc(gif.get(), image.width, image.height, map->BitsPerPixel, 0, map.get()) == GIF_OK;
    if (ok && transparent) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, palette.transparentIndex};
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        ok = EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, sizeof block, block) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif.get(), 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height; ++y)
        ok = EGifPutLine(gif.get(), indices.Data() + static_cast<size_t>(y) * image.width, image.width) == GIF_OK;
    // Closing writes the trailer; its failure is a failed save.
    if (ok) ok = EGifCloseFile(gif.release(), &error) == GIF_OK;
    if (!ok) {
        out.clear();
        return CodecStatus::Corrupt;
    }
    return CodecStatus::Ok;
}

}  // namespace trackalbum
