#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

// Rounds to the nearest integer, halves to the even one (the FPU's default mode). Values beyond
// the int range (or not a number) saturate instead of being undefined.
inline int RoundHalfEven(double value) {
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(value, kLowest, kHighest)));
}

}  // namespace common
