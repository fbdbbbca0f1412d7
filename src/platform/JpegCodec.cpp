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
constexpr int kTurnBatch = 64;

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

// Stored CMYK (inverted by Adobe writers) to RGB, in place: pixel x moves from 4x to 3x.
void CmykToRgb(uint8_t* row, int width, bool inverted) {
    for (int x = 0; x < width; ++x) {
        const uint8_t* in = row + 4 * x;
        const unsigned c = in[0], m = in[1], y = in[2], k = inverted ? in[3] : 255u - in[3];
        uint8_t* out = row + 3 * x;
        out[0] = static_cast<uint8_t>((inverted ? c : 255u - c) * k / 255u);
        out[1] = static_cast<uint8_t>((inverted ? m : 255u - m) * k / 255u);
        out[2] = static_cast<uint8_t>((inverted ? y : 255u - y) * k / 255u);
    }
}

// Decodes straight into the upright rows where it can; CMYK and quarter turns pass
// through `batch` (`batchRows` rows of `stride` bytes). Quarter turns fill a tall batch
// first, so that each upright row receives a long run per pass.
bool ReadRows(Decompressor& d, UprightPlacer& placer, uint8_t* batch, size_t stride, int batchRows) {
    if (setjmp(d.errors.jump)) return false;
    JSAMPROW rows[kTurnBatch];
    const bool cmyk = d.cinfo.out_color_space == JCS_CMYK;
    const int width = static_cast<int>(d.cinfo.output_width);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = static_cast<int>(d.cinfo.output_scanline);
        const int count = std::min<int>(batchRows, static_cast<int>(d.cinfo.output_height) - y);
        for (int i = 0; i < count; ++i) rows[i] = batch ? batch + static_cast<size_t>(i) * stride : placer.TargetRow(y + i);
        int got = 0;
        while (got < count) {
            const JDIMENSION n = jpeg_read_scanlines(&d.cinfo, rows + got, static_cast<JDIMENSION>(count - got));
            if (n == 0) return false;
            got += static_cast<int>(n);
        }
        if (cmyk)
            for (int i = 0; i < got; ++i) CmykToRgb(rows[i], width, d.cinfo.saw_Adobe_marker);
        if (placer.NeedsScratch()) {
            placer.Place(y, got, batch, stride);
            continue;
        }
        for (int i = 0; i < got; ++i) {
            if (batch) std::memcpy(placer.TargetRow(y + i), rows[i], static_cast<size_t>(width) * 3);
            placer.FinishRow(y + i);
        }
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
    const int width = static_cast<int>(d.cinfo.output_width);
    const int height = static_cast<int>(d.cinfo.output_height);
    const bool turned = OrientationSwapsSides(orientation);
    if (!out.Allocate(turned ? height : width, turned ? width : height, 3)) return CodecStatus::OutOfMemory;
    UprightPlacer placer(out, orientation);
    PixelBuffer batch;
    const size_t stride = static_cast<size_t>(width) * (outSpace == JCS_CMYK ? 4 : 3);
    const int batchRows = placer.NeedsScratch() ? kTurnBatch : kRowBatch;
    if ((outSpace == JCS_CMYK || placer.NeedsScratch()) && !batch.Allocate(stride * batchRows)) {
        out.Clear();
        return CodecStatus::OutOfMemory;
    }
    if (!ReadRows(d, placer, batch.Data(), stride, batchRows)) {
        out.Clear();
        return Failure(d.errors);
    }
    info = {width, height, orientation};
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
