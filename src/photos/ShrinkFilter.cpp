#include "photos/ShrinkFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trackalbum {
namespace {

using Wide = unsigned __int128;

// The window is separable: (r² - dx²) × (r² - dy²) is a product of one weight per axis, so
// the weighted sum over the window equals Σ over dx of (r² - dx²) × (the column's sum of
// (r² - dy²) × sample), and the weight total is the product of the two axis totals.
// Everything stays in exact integers, so the rounded-down mean is the same as summing the
// products sample by sample. Samples on the window's border weigh 0 and are left out.
struct AxisTaps {
    std::vector<int64_t> first;     // first source index with a non-zero weight, per target index
    std::vector<int> count;         // number of such samples
    std::vector<size_t> offset;     // where the target index's weights start in `weights`
    std::vector<uint64_t> weights;  // r² - d² for each of those samples
    std::vector<uint64_t> totals;   // sum of the weights per target index
    uint64_t largestTotal = 0;
};

AxisTaps MakeTaps(int64_t sourceSize, int64_t targetSize, int64_t radius) {
    AxisTaps taps;
    taps.first.reserve(static_cast<size_t>(targetSize));
    taps.count.reserve(static_cast<size_t>(targetSize));
    taps.offset.reserve(static_cast<size_t>(targetSize));
    taps.totals.reserve(static_cast<size_t>(targetSize));
    const uint64_t radiusSquared = static_cast<uint64_t>(radius) * static_cast<uint64_t>(radius);
    for (int64_t i = 0; i < targetSize; ++i) {
        const int64_t centre = sourceSize * i / targetSize;
        int64_t low = centre;
        int64_t high = centre;
        if (radius > 0) {
            low = std::max<int64_t>(0, centre - radius + 1);
            high = std::min<int64_t>(sourceSize - 1, centre + radius - 1);
        }
        taps.first.push_back(low);
        taps.count.push_back(static_cast<int>(high - low + 1));
        taps.offset.push_back(taps.weights.size());
        uint64_t total = 0;
        for (int64_t s = low; s <= high; ++s) {
            const uint64_t d = static_cast<uint64_t>(s > centre ? s - centre : centre - s);
            // Radius 0 leaves only the centre sample, with weight 1.
            const uint64_t weight = radius > 0 ? radiusSquared - d * d : 1;
            taps.weights.push_back(weight);
            total += weight;
        }
        taps.totals.push_back(total);
        taps.largestTotal = std::max(taps.largestTotal, total);
    }
    return taps;
}

#if defined(__SSE2__)
// sums[i] = Σ weight[k] × row[k][i] over the window's rows. This is where the time goes, so
// it runs down 16 bytes of several rows at once, the sums held in registers, two rows a
// step: their bytes interleaved into 16-bit pairs meet the pair of weights in one
// multiply-add. Needs weights below 2^15 (r up to 181).
void SumRowsInPairs(uint32_t* sums, const uint8_t* const* row, const uint64_t* weight,
                    int count, size_t size) {
    const __m128i zero = _mm_setzero_si128();
    const size_t strips = size / 16 * 16;
    // Eight pairs at a time, so the sums and weights stay in registers.
    for (int group = 0; group < count; group += 16) {
        const uint8_t* first[8];
        const uint8_t* second[8];
        __m128i pairWeight[8];
        const int pairs = (std::min(count - group, 16) + 1) / 2;
        for (int p = 0; p < pairs; ++p) {
            const int k = group + 2 * p;
            const bool single = k + 1 == count;  // an odd row out pairs with itself at weight 0
            first[p] = row[k];
            second[p] = single ? row[k] : row[k + 1];
            const uint32_t low = static_cast<uint32_t>(weight[k]);
            const uint32_t high = single ? 0 : static_cast<uint32_t>(weight[k + 1]);
            pairWeight[p] = _mm_set1_epi32(static_cast<int>(low | high << 16));
        }
        for (size_t i = 0; i < strips; i += 16) {
            __m128i* out = reinterpret_cast<__m128i*>(sums + i);
            __m128i sum0 = group == 0 ? zero : _mm_loadu_si128(out);
            __m128i sum1 = group == 0 ? zero : _mm_loadu_si128(out + 1);
            __m128i sum2 = group == 0 ? zero : _mm_loadu_si128(out + 2);
            __m128i sum3 = group == 0 ? zero : _mm_loadu_si128(out + 3);
            // The rows lie far apart and are read once; the hardware prefetcher does not
            // follow that many streams, so each row's next lines are asked for ahead.
            if ((i & 63) == 0 && i + 512 < size) {
                for (int p = 0; p < pairs; ++p) {
                    _mm_prefetch(reinterpret_cast<const char*>(first[p] + i + 512), _MM_HINT_T0);
                    _mm_prefetch(reinterpret_cast<const char*>(second[p] + i + 512), _MM_HINT_T0);
                }
            }
            for (int p = 0; p < pairs; ++p) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first[p] + i));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second[p] + i));
                const __m128i w = pairWeight[p];
                const __m128i low = _mm_unpacklo_epi8(a, b);
                const __m128i high = _mm_unpackhi_epi8(a, b);
                sum0 = _mm_add_epi32(sum0, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), w));
                sum1 = _mm_add_epi32(sum1, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), w));
                sum2 = _mm_add_epi32(sum2, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), w));
                sum3 = _mm_add_epi32(sum3, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), w));
            }
            _mm_storeu_si128(out, sum0);
            _mm_storeu_si128(out + 1, sum1);
            _mm_storeu_si128(out + 2, sum2);
            _mm_storeu_si128(out + 3, sum3);
        }
    }
    for (size_t i = strips; i < size; ++i) {
        uint32_t sum = 0;
        for (int k = 0; k < count; ++k) {
            sum += static_cast<uint32_t>(weight[k]) * row[k][i];
        }
        sums[i] = sum;
    }
}
#endif

template <typename Sum>
void SumRows(Sum* sums, const uint8_t* const* row, const uint64_t* weight, int count,
             size_t size) {
    std::fill(sums, sums + size, Sum{0});
    for (int k = 0; k < count; ++k) {
        for (size_t i = 0; i < size; ++i) {
            sums[i] += static_cast<Sum>(weight[k]) * row[k][i];
        }
    }
}

#if defined(__SSE2__)
void SumRows(uint32_t* sums, const uint8_t* const* row, const uint64_t* weight, int count,
             size_t size) {
    if (*std::max_element(weight, weight + count) < 0x8000) {
        SumRowsInPairs(sums, row, weight, count, size);
    } else {
        SumRows<uint32_t>(sums, row, weight, count, size);
    }
}
#endif

// Columns first: the weighted sum of the window's rows, sample by sample along the row
// (type Column), then along each target pixel's window of those column sums (type Acc).
template <typename Column, typename Acc, int Channels>
void Filter(const Image& source, const AxisTaps& columns, const AxisTaps& rows, Image& target) {
    const size_t rowSize = static_cast<size_t>(source.GetWidth()) * Channels;
    const size_t targetWidth = columns.first.size();
    std::vector<Column> sums(rowSize);
    std::vector<const uint8_t*> sourceRows;
    for (size_t y = 0; y < rows.first.size(); ++y) {
        sourceRows.clear();
        for (int k = 0; k < rows.count[y]; ++k) {
            sourceRows.push_back(source.GetRow(static_cast<int>(rows.first[y] + k)));
        }
        SumRows(sums.data(), sourceRows.data(), rows.weights.data() + rows.offset[y],
                rows.count[y], rowSize);
        uint8_t* out = target.GetRow(static_cast<int>(y));
        for (size_t x = 0; x < targetWidth; ++x) {
            const Column* sample = sums.data() + static_cast<size_t>(columns.first[x]) * Channels;
            const uint64_t* weight = columns.weights.data() + columns.offset[x];
            Acc channel[Channels] = {};
            for (int k = 0; k < columns.count[x]; ++k, sample += Channels) {
                for (int c = 0; c < Channels; ++c) {
                    channel[c] += static_cast<Acc>(weight[k]) * sample[c];
                }
            }
            const Acc total = static_cast<Acc>(columns.totals[x]) * rows.totals[y];
            for (int c = 0; c < Channels; ++c) {
                out[x * Channels + c] = static_cast<uint8_t>(channel[c] / total);
            }
        }
    }
}

template <int Channels>
void FilterChannels(const Image& source, const AxisTaps& columns, const AxisTaps& rows,
                    Image& target) {
    // The narrowest sums that cannot overflow: 32-bit column sums and 64-bit totals hold
    // every photo a JPEG can carry; only windows far wider need more.
    const Wide largestColumn = static_cast<Wide>(255) * rows.largestTotal;
    const Wide largest = largestColumn * columns.largestTotal;
    if (largest <= std::numeric_limits<uint64_t>::max()) {
        if (largestColumn <= std::numeric_limits<uint32_t>::max()) {
            Filter<uint32_t, uint64_t, Channels>(source, columns, rows, target);
        } else {
            Filter<uint64_t, uint64_t, Channels>(source, columns, rows, target);
        }
    } else {
        Filter<Wide, Wide, Channels>(source, columns, rows, target);
    }
}

}  // namespace

int GetShrinkWidth(int width, int height) { return width > height ? 160 : 120; }

bool ShrinkImage(const Image& source, int targetWidth, Image& target) {
    target.Destroy();
    if (source.IsEmpty() || targetWidth <= 0) {
        return false;
    }
    const int64_t width = source.GetWidth();
    const int64_t height = source.GetHeight();
    if (targetWidth > width) {
        target = source;
        return !target.IsEmpty();
    }
    // A very flat photo would round to no rows at all and save nothing; keep one.
    const int64_t targetHeight = std::max<int64_t>(1, height * targetWidth / width);
    if (!target.Create(targetWidth, static_cast<int>(targetHeight), source.GetDepth())) {
        return false;
    }
    const int64_t radius = width / targetWidth / 2;
    const AxisTaps columns = MakeTaps(width, targetWidth, radius);
    const AxisTaps rows = MakeTaps(height, targetHeight, radius);
    if (source.GetBytesPerPixel() == 4) {
        FilterChannels<4>(source, columns, rows, target);
    } else {
        FilterChannels<3>(source, columns, rows, target);
    }
    return true;
}

}  // namespace trackalbum
