#include "photos/ShrinkFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace trackalbum {
namespace {

using Wide = unsigned __int128;

// The window is separable: (r² - dx²) × (r² - dy²) is a product of one weight per axis, so
// the weighted sum over the window equals the sum over rows of (row weight × the row's
// horizontally weighted sum), and the weight total is the product of the two axis totals.
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

// Adds the horizontally weighted sums of one source row, times `rowWeight`, to `sums`
// (targetWidth × Channels values).
template <typename Acc, int Channels>
void AddRow(const uint8_t* row, const AxisTaps& columns, uint64_t rowWeight, Acc* sums) {
    const size_t targetWidth = columns.first.size();
    for (size_t x = 0; x < targetWidth; ++x) {
        const uint8_t* pixel = row + static_cast<size_t>(columns.first[x]) * Channels;
        const uint64_t* weight = columns.weights.data() + columns.offset[x];
        Acc channel[Channels] = {};
        for (int k = 0; k < columns.count[x]; ++k, pixel += Channels) {
            for (int c = 0; c < Channels; ++c) {
                channel[c] += static_cast<Acc>(weight[k]) * pixel[c];
            }
        }
        for (int c = 0; c < Channels; ++c) {
            sums[x * Channels + c] += channel[c] * rowWeight;
        }
    }
}

template <typename Acc, int Channels>
void Filter(const Image& source, const AxisTaps& columns, const AxisTaps& rows, Image& target) {
    const size_t targetWidth = columns.first.size();
    std::vector<Acc> sums(targetWidth * Channels);
    for (size_t y = 0; y < rows.first.size(); ++y) {
        std::fill(sums.begin(), sums.end(), Acc{0});
        const uint64_t* rowWeight = rows.weights.data() + rows.offset[y];
        for (int k = 0; k < rows.count[y]; ++k) {
            const int sourceY = static_cast<int>(rows.first[y] + k);
            AddRow<Acc, Channels>(source.GetRow(sourceY), columns, rowWeight[k], sums.data());
        }
        uint8_t* out = target.GetRow(static_cast<int>(y));
        for (size_t x = 0; x < targetWidth; ++x) {
            const Acc total = static_cast<Acc>(columns.totals[x]) * rows.totals[y];
            for (int c = 0; c < Channels; ++c) {
                out[x * Channels + c] = static_cast<uint8_t>(sums[x * Channels + c] / total);
            }
        }
    }
}

template <int Channels>
void FilterChannels(const Image& source, const AxisTaps& columns, const AxisTaps& rows,
                    Image& target) {
    // 64-bit sums hold every photo a JPEG can carry; only windows far wider than that
    // (radius in the hundreds) need the 128-bit ones.
    const Wide largest = static_cast<Wide>(255) * columns.largestTotal * rows.largestTotal;
    if (largest <= std::numeric_limits<uint64_t>::max()) {
        Filter<uint64_t, Channels>(source, columns, rows, target);
    } else {
        Filter<Wide, Channels>(source, columns, rows, target);
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
