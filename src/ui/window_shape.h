#pragma once

#include "common/colour.h"
#include "common/ids.h"
#include "common/image.h"

namespace ui {

// Which pixels of an image-shaped window stay: in each column, every run of pixels of exactly
// the key colour is cut, together with the first pixel below the run.
common::Mask ShapeMask(const common::Image& image, common::Colour key);
// Resizes the image (in place, for good) to the window, cuts the window's shape from it and
// paints the window from it at once. An empty image leaves the window rectangular, painted in
// its background colour.
void ShapeWindow(common::WindowId window, common::ImageId image, common::Colour key);
// Paints the window from the image, from its pixel (1, 1) on.
void PaintSkin(common::WindowId window, common::ImageId image);

}  // namespace ui
