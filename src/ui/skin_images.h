#pragma once

#include <array>
#include <string>

#include "common/colour.h"
#include "common/ids.h"
#include "common/image.h"

namespace ui {

struct SkinState {
    std::string SkinFolder;
    std::array<common::Image, common::kImageCount> Images;
    common::Colour TextColour = common::kBlack;
};
extern SkinState Skin;

void ResetSkin();
// The picture behind an image number, or null while that number is empty.
const common::Image* ImageOf(common::ImageId id);
// Loads the skin files into their numbers, makes the pressed copies and samples TextColour.
void LoadSkinImages();

}  // namespace ui
