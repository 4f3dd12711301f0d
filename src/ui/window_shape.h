#pragma once

#include "common/colour.h"
#include "common/ids.h"

namespace ui {

// Cuts the pixels of the key colour out of the window and paints it from the image.
void ShapeWindow(common::WindowId window, common::ImageId image, common::Colour key);

}  // namespace ui
