#pragma once
// The picture list's columns keep their proportions and together fill the list's width.
#include <vector>

namespace trackalbum {

// Each width becomes width * clientWidth / total (integer division). Nothing changes when
// the columns have no width at all or the list has none to give (a list not yet laid out
// would otherwise leave every column at 0 for good).
std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth);

}  // namespace trackalbum
