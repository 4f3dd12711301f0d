#pragma once

#include <cstdint>

namespace common {

// A 24-bit colour with red in the low byte, then green, then blue (0x00BBGGRR).
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 255) | static_cast<Colour>(green & 255) << 8 |
           static_cast<Colour>(blue & 255) << 16;
}
constexpr int Red(Colour colour) { return static_cast<int>(colour & 255); }
constexpr int Green(Colour colour) { return static_cast<int>((colour >> 8) & 255); }
constexpr int Blue(Colour colour) { return static_cast<int>((colour >> 16) & 255); }

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;

}  // namespace common
