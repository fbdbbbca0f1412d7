// The drawing surface of Image: rectangles, lines and stretched copies, all clipped.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/Image.h"

namespace trackalbum {

namespace {

struct Span {
    int64_t begin = 0;
    int64_t end = 0;  // exclusive
};

// The part of [start, start + length) that lies inside [0, limit).
Span Clip(int64_t start, int64_t length, int64_t limit) {
    Span s{std::max<int64_t>(start, 0), std::min<int64_t>(start + length, limit)};
    if (s.end < s.begin) s.end = s.begin;
    return s;
}

// Source range [lo, hi) that lands on target index t when `sourceSize` pixels are
// stretched onto `targetSize`: a run of several when reducing, the nearest one otherwise.
Span SourceRange(int64_t t, int64_t sourceSize, int64_t targetSize) {
    const int64_t lo = t * sourceSize / targetSize;
    const int64_t hi = std::max(lo + 1, (t + 1) * sourceSize / targetSize);
    return {lo, std::min(hi, sourceSize)};
}

}  // namespace

void Image::FillRect(int x, int y, int width, int height, Rgb colour) {
    if (IsEmpty() || width <= 0 || height <= 0) return;
    const Span cols = Clip(x, width, raster_.width);
    const Span rows = Clip(y, height, raster_.height);
    const int ch = raster_.channels;
    for (int64_t row = rows.begin; row < rows.end; ++row) {
        uint8_t* p = raster_.Row(static_cast<int>(row)) + cols.begin * ch;
        for (int64_t col = cols.begin; col < cols.end; ++col, p += ch) {
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
            if (ch == 4) p[3] = 255;
        }
    }
}

// The line's pixels are those of Bresenham's walk along the major axis: step i (0 <= i < n,
// n = the major distance, so the end point is left out) lies at the minor offset
// i * minor / n rounded to nearest. The closed form lets the walk start where the line
// enters the image, so far-away end points cost nothing.
void Image::DrawLine(int x0, int y0, int x1, int y1, Rgb colour) {
    if (IsEmpty()) return;
    const int64_t dx = static_cast<int64_t>(x1) - x0;
    const int64_t dy = static_cast<int64_t>(y1) - y0;
    const int64_t adx = std::llabs(dx);
    const int64_t ady = std::llabs(dy);
    const bool xMajor = adx >= ady;
    const int64_t n = xMajor ? adx : ady;
    if (n == 0) return;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t minorStart = xMajor ? y0 : x0;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorLimit = xMajor ? raster_.width : raster_.height;

    // Steps whose major coordinate lies inside the image.
    int64_t first = 0;
    int64_t last = n - 1;
    if (majorStep > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart);
    }
    for (int64_t i = first; i <= last; ++i) {
        const int64_t major = majorStart + majorStep * i;
        const auto offset = static_cast<int64_t>((static_cast<__int128>(2 * i) * minor + n) / (2 * n));
        const int64_t minorCoord = minorStart + minorStep * offset;
        const int64_t px = xMajor ? major : minorCoord;
        const int64_t py = xMajor ? minorCoord : major;
        SetPixel(static_cast<int>(std::clamp<int64_t>(px, -1, raster_.width)),
                 static_cast<int>(std::clamp<int64_t>(py, -1, raster_.height)), colour);
    }
}

void Image::CopyFrom(const Image& source, int x, int y, int width, int height, RasterOp op) {
    if (IsEmpty() || source.IsEmpty() || width <= 0 || height <= 0) return;
    if (&source == this) {
        const Image snapshot = source;
        CopyFrom(snapshot, x, y, width, height, op);
        return;
    }
    const Span cols = Clip(x, width, raster_.width);
    const Span rows = Clip(y, height, raster_.height);
    if (cols.begin >= cols.end || rows.begin >= rows.end) return;

    const Raster& src = source.raster_;
    const int sch = src.channels;
    const int dch = raster_.channels;
    if (op == RasterOp::Copy && sch == dch && width == src.width && height == src.height) {
        // Unstretched copy between like images (the photo reduction's first step): whole runs.
        for (int64_t row = rows.begin; row < rows.end; ++row)
            std::memcpy(raster_.Row(static_cast<int>(row)) + cols.begin * dch,
                        src.Row(static_cast<int>(row - y)) + (cols.begin - x) * sch,
                        static_cast<size_t>(cols.end - cols.begin) * dch);
        return;
    }
    std::vector<Span> colRanges;
    colRanges.reserve(static_cast<size_t>(cols.end - cols.begin));
    for (int64_t c = cols.begin; c < cols.end; ++c) colRanges.push_back(SourceRange(c - x, src.width, width));

    for (int64_t row = rows.begin; row < rows.end; ++row) {
        const Span srcRows = SourceRange(row - y, src.height, height);
        uint8_t* d = raster_.Row(static_cast<int>(row)) + cols.begin * dch;
        for (const Span& srcCols : colRanges) {
            // AND over the block of source pixels that meet here (one pixel when enlarging).
            uint8_t v[4] = {255, 255, 255, 255};
            for (int64_t sy = srcRows.begin; sy < srcRows.end; ++sy) {
                const uint8_t* s = src.Row(static_cast<int>(sy)) + srcCols.begin * sch;
                for (int64_t sx = srcCols.begin; sx < srcCols.end; ++sx, s += sch) {
                    v[0] &= s[0];
                    v[1] &= s[1];
                    v[2] &= s[2];
                    if (sch == 4) v[3] &= s[3];
                }
            }
            if (op == RasterOp::Xor) {
                d[0] ^= v[0];
                d[1] ^= v[1];
                d[2] ^= v[2];
            } else {
                d[0] = v[0];
                d[1] = v[1];
                d[2] = v[2];
                if (dch == 4) d[3] = v[3];
            }
            d += dch;
        }
    }
}

}  // namespace trackalbum
