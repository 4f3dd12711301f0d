#pragma once

#include <cmath>

namespace common {

// Rounds to the nearest integer, halves to the even one (the FPU's default mode).
inline int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace common
