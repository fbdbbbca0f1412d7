#include "platform/JpegCodec.h"

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <array>

#include "platform/ExifOrientation.h"

namespace trackalbum {

namespace {

// A progressive file may hold any number of scans, and each one walks the whole image;
// real encoders write about a dozen.
constexpr int kMaxScans = 500;
constexpr int kRowBatch = 16;

// Functions that call setjmp keep only trivial locals, so a jump back destroys nothing.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    // Data that ends early is a broken file: stop rather than pad the rest with grey.
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) JumpBack(cinfo);
    cinfo->err->num_warnings++;
}

void OutputNothing(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        JumpBack(cinfo);
}

void InstallErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = JumpBack;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = OutputNothing;
}

CodecStatus Failure(const ErrorManager& errors) {
    return errors.pub.msg_code == JERR_OUT_OF_MEMORY ? CodecStatus::OutOfMemory : CodecStatus::Corrupt;
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    bool created = false;

    Decompressor() {
        InstallErrors(errors);
        cinfo.err = &errors.pub;
        progress.progress_monitor = LimitScans;
    }
    ~Decompressor() {
        if (created) jpeg_destroy_decompress(&cinfo);
    }
};

bool ReadHeader(Decompressor& d, const uint8_t* data, size_t size, long memoryLimit) {
    if (setjmp(d.errors.jump)) return false;
    d.created = true;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.progress = &d.progress;
    d.cinfo.mem->max_memory_to_use = memoryLimit;
    jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.cinfo, TRUE);
    return true;
}

bool StartDecode(Decompressor& d, J_COLOR_SPACE outSpace) {
    if (setjmp(d.errors.jump)) return false;
    d.cinfo.out_color_space = outSpace;
    jpeg_start_decompress(&d.cinfo);
    return true;
}

// Stored CMYK (inverted by Adobe writers) to RGB.
void CmykToRgb(const uint8_t* cmyk, uint8_t* rgb, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<uint8_t>(v * k / 255u);
        }
    }
}

// Decodes straight into the raster's rows; CMYK passes through `cmykRow`.
bool ReadRows(Decompressor& d, Raster& out, uint8_t* cmykRow) {
    if (setjmp(d.errors.jump)) return false;
    JSAMPROW rows[kRowBatch];
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const JDIMENSION y = d.cinfo.output_scanline;
        JDIMENSION got;
        if (cmykRow) {
            rows[0] = cmykRow;
            got = jpeg_read_scanlines(&d.cinfo, rows, 1);
            if (got == 1) CmykToRgb(cmykRow, out.Row(static_cast<int>(y)), out.width, d.cinfo.saw_Adobe_marker);
        } else {
            const JDIMENSION count = std::min<JDIMENSION>(kRowBatch, d.cinfo.output_height - y);
            for (JDIMENSION i = 0; i < count; ++i) rows[i] = out.Row(static_cast<int>(y + i));
            got = jpeg_read_scanlines(&d.cinfo, rows, count);
        }
        if (got == 0) return false;
    }
    return true;
}

struct Compressor {
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;

    Compressor() {
        InstallErrors(errors);
        cinfo.err = &errors.pub;
    }
    ~Compressor() {
        if (created) jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
};

bool Compress(Compressor& c, const Raster& image) {
    if (setjmp(c.errors.jump)) return false;
    c.created = true;
    jpeg_create_compress(&c.cinfo);
    jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
    c.cinfo.image_width = static_cast<JDIMENSION>(image.width);
    c.cinfo.image_height = static_cast<JDIMENSION>(image.height);
    c.cinfo.input_components = image.channels;
    c.cinfo.in_color_space = image.channels == 4 ? JCS_EXT_RGBX : JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, JpegCodec::DefaultQuality, TRUE);
    jpeg_start_compress(&c.cinfo, TRUE);
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(image.Row(static_cast<int>(c.cinfo.next_scanline)));
        jpeg_write_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_compress(&c.cinfo);
    return true;
}

bool IsFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

bool JpegCodec::HasSignature(const uint8_t* head, size_t size) const {
    return size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

bool JpegCodec::WritesExtension(std::string_view extension) const {
    return extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "jfif";
}

CodecStatus JpegCodec::ReadInfo(ByteReader& reader, ImageInfo& info) const {
    info = {};
    uint8_t b[5];
    if (!reader.ReadExactly(b, 2) || b[0] != 0xFF || b[1] != 0xD8) return CodecStatus::Corrupt;
    bool sawExif = false;
    std::array<uint8_t, 65535> segment;
    for (;;) {
        // Bytes between segments are tolerated, as decoders do; fill bytes precede a marker.
        uint8_t marker = 0;
        do {
            if (!reader.ReadExactly(&marker, 1)) return CodecStatus::Corrupt;
        } while (marker != 0xFF);
        do {
            if (!reader.ReadExactly(&marker, 1)) return CodecStatus::Corrupt;
        } while (marker == 0xFF);
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD9 || marker == 0xDA) return CodecStatus::Corrupt;  // no frame header
        if (!reader.ReadExactly(b, 2)) return CodecStatus::Corrupt;
        const size_t length = static_cast<size_t>(b[0] << 8 | b[1]);
        if (length < 2) return CodecStatus::Corrupt;
        const size_t payload = length - 2;
        if (IsFrameHeader(marker)) {
            if (payload < 5 || !reader.ReadExactly(b, 5)) return CodecStatus::Corrupt;
            info.height = b[1] << 8 | b[2];
            info.width = b[3] << 8 | b[4];
            return info.width > 0 && info.height > 0 ? CodecStatus::Ok : CodecStatus::Corrupt;
        }
        if (marker == 0xE1 && !sawExif) {
            if (!reader.ReadExactly(segment.data(), payload)) return CodecStatus::Corrupt;
            if (payload >= 6 && std::memcmp(segment.data(), "Exif\0\0", 6) == 0) {
                sawExif = true;
                info.orientation = ParseExifOrientation(segment.data(), payload);
            }
        } else if (!reader.Skip(payload)) {
            return CodecStatus::Corrupt;
        }
    }
}

CodecStatus JpegCodec::Decode(const uint8_t* data, size_t size, int64_t maxPixels, Raster& out,
                              ImageInfo& info) const {
    out.Clear();
    MemoryReader reader(data, size);
    ImageInfo scanned;
    int orientation = 1;
    if (ReadInfo(reader, scanned) == CodecStatus::Ok) {
        // The library refuses sides above 65500 as damage; this names them too large.
        const CodecStatus announced = CheckAnnouncedSize(scanned.width, scanned.height, maxPixels);
        if (announced != CodecStatus::Ok) return announced;
        orientation = scanned.orientation;
    }

    Decompressor d;
    // Working memory beyond the pixels themselves (progressive coefficients, buffers).
    const long memoryLimit = static_cast<long>(std::min<int64_t>(maxPixels, int64_t{1} << 32) * 8 + (64 << 20));
    if (!ReadHeader(d, data, size, memoryLimit)) return Failure(d.errors);
    const CodecStatus sizeStatus = CheckAnnouncedSize(d.cinfo.image_width, d.cinfo.image_height, maxPixels);
    if (sizeStatus != CodecStatus::Ok) return sizeStatus;
    J_COLOR_SPACE outSpace;
    switch (d.cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB: outSpace = JCS_RGB; break;
        case JCS_CMYK:
        case JCS_YCCK: outSpace = JCS_CMYK; break;
        default: return CodecStatus::Corrupt;
    }
    if (!StartDecode(d, outSpace)) return Failure(d.errors);
    if (!out.Allocate(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height), 3))
        return CodecStatus::OutOfMemory;
    PixelBuffer cmykRow;
    if (outSpace == JCS_CMYK && !cmykRow.Allocate(static_cast<size_t>(out.width) * 4)) {
        out.Clear();
        return CodecStatus::OutOfMemory;
    }
    if (!ReadRows(d, out, cmykRow.Data())) {
        out.Clear();
        return Failure(d.errors);
    }
    info = {out.width, out.height, orientation};
    return CodecStatus::Ok;
}

CodecStatus JpegCodec::Encode(const Raster& image, std::vector<uint8_t>& out) const {
    out.clear();
    if (image.IsEmpty() || image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION)
        return CodecStatus::Unsupported;
    Compressor c;
    if (!Compress(c, image)) return CodecStatus::Corrupt;
    out.assign(c.buffer, c.buffer + c.size);
    return CodecStatus::Ok;
}

}  // namespace trackalbum
