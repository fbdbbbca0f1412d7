#include "pipeline/ColumnWidths.h"

#include <cstdint>

namespace trackalbum {

std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth) {
    int64_t total = 0;
    for (int width : widths) total += width;
    if (total <= 0 || clientWidth <= 0) return widths;
    std::vector<int> fitted;
    fitted.reserve(widths.size());
    for (int width : widths) fitted.push_back(static_cast<int>(int64_t{width} * clientWidth / total));
    return fitted;
}

}  // namespace trackalbum
