#pragma once
// One arrow of a page's spin applied to a number field. The spin reports -1 for its up arrow.
#include <algorithm>
#include <cstdint>

namespace trackalbum {

// The step is taken in 64 bits, so that a value typed at the edge of int is held at the
// nearer end instead of wrapping round to the other.
inline int StepClamped(int value, int spinStep, int low, int high) {
    const int64_t next = static_cast<int64_t>(value) - spinStep;
    return static_cast<int>(std::clamp<int64_t>(next, low, high));
}

}  // namespace trackalbum
