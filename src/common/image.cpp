#include "common/image.h"

#include <algorithm>
#include <cmath>

namespace common {
namespace {

// Each output pixel averages the source area it covers, so shrinking does not alias and
// stretching stays smooth.
Colour AreaAverage(const Image& image, double left, double top, double right, double bottom) {
    double sums[3] = {0, 0, 0};
    double total = 0;
    for (int y = static_cast<int>(top); y < bottom && y < image.height; ++y) {
        const double h = std::min<double>(y + 1, bottom) - std::max<double>(y, top);
        for (int x = static_cast<int>(left); x < right && x < image.width; ++x) {
            const double weight = h * (std::min<double>(x + 1, right) - std::max<double>(x, left));
            const Colour c = image.At(x, y);
            sums[0] += weight * Red(c);
            sums[1] += weight * Green(c);
            sums[2] += weight * Blue(c);
            total += weight;
        }
    }
    auto channel = [&](double sum) { return static_cast<int>(std::lround(sum / total)); };
    return Rgb(channel(sums[0]), channel(sums[1]), channel(sums[2]));
}

}  // namespace

Image Resized(const Image& image, int width, int height) {
    if (image.Empty() || width <= 0 || height <= 0) return {};
    if (image.width == width && image.height == height) return image;
    Image result(width, height);
    const double sx = static_cast<double>(image.width) / width;
    const double sy = static_cast<double>(image.height) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            result.Set(x, y, AreaAverage(image, x * sx, y * sy, (x + 1) * sx, (y + 1) * sy));
    }
    return result;
}

}  // namespace common
