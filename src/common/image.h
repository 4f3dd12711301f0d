#pragma once

#include <vector>

#include "common/colour.h"

namespace common {

// A 24-bit picture, row by row from the top-left pixel. An image with no pixels is "empty": the
// number it was meant to fill stays without a picture.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    Image() = default;
    Image(int w, int h, Colour fill = kBlack) : width(w), height(h), pixels(Area(w, h), fill) {}

    bool Empty() const { return pixels.empty(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Colour At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void Set(int x, int y, Colour colour) {
        pixels[static_cast<std::size_t>(y) * width + x] = colour;
    }

 private:
    static std::size_t Area(int w, int h) {
        return w > 0 && h > 0 ? static_cast<std::size_t>(w) * static_cast<std::size_t>(h) : 0;
    }
};

// Which pixels of a window are kept (1) or cut away (0), row by row.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> kept;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), kept(static_cast<std::size_t>(w) * h, 1) {}
    bool Kept(int x, int y) const { return kept[static_cast<std::size_t>(y) * width + x] != 0; }
    void Cut(int x, int y) { kept[static_cast<std::size_t>(y) * width + x] = 0; }
};

// The image stretched or squeezed smoothly to width × height; the same image when the size is
// already right, an empty one when either is empty.
Image Resized(const Image& image, int width, int height);

}  // namespace common
