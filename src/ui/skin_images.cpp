#include "ui/skin_images.h"

namespace ui {

SkinState Skin;

void ResetSkin() { Skin = SkinState{}; }

const common::Image* ImageOf(common::ImageId id) {
    const common::Image& image = Skin.Images[id];
    return image.Empty() ? nullptr : &image;
}

void LoadSkinImages() {}

}  // namespace ui
