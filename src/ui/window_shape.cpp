#include "ui/window_shape.h"

#include "platform/platform.h"
#include "ui/skin_images.h"

namespace ui {
namespace {

// Cuts the run of key pixels starting at row y of column x; returns the row to go on from.
int CutRun(const common::Image& image, common::Colour key, common::Mask& mask, int x, int y) {
    int end = y;
    while (end < image.height && image.At(x, end) == key) ++end;
    // The cut reaches one row past the run: that is how the shape has always been cut, and
    // skins are drawn for it.
    for (int row = y; row <= end && row < image.height; ++row) mask.Cut(x, row);
    return end + 1;
}

}  // namespace

common::Mask ShapeMask(const common::Image& image, common::Colour key) {
    common::Mask mask(image.width, image.height);
    for (int x = 0; x < image.width; ++x) {
        for (int y = 0; y < image.height;)
            y = image.At(x, y) == key ? CutRun(image, key, mask, x, y) : y + 1;
    }
    return mask;
}

void ShapeWindow(common::WindowId window, common::ImageId image, common::Colour key) {
    platform::Gui& gui = platform::TheGui();
    common::Image& skin = Skin.Images[image];
    skin = common::Resized(skin, gui.WindowWidth(window), gui.WindowHeight(window));
    gui.SetWindowShape(window, skin.Empty() ? common::Mask() : ShapeMask(skin, key));
    PaintSkin(window, image);
    // Both windows show the one skin image, which has just changed size.
    const common::WindowId other =
        window == common::MainWindow ? common::PlaylistWindow : common::MainWindow;
    if (gui.IsWindowOpen(other)) PaintSkin(other, image);
}

void PaintSkin(common::WindowId window, common::ImageId image) {
    platform::TheGui().SetWindowSkin(window, ImageOf(image));
}

}  // namespace ui
