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
// Loads the ten skin files in their fixed order, reporting each missing one and going on, makes
// the pressed copies of the six buttons and samples TextColour. Once, at start-up.
void LoadSkinImages();
// Writes into `copy` (which has the source's size) the source with every channel halved; the
// copy's top row and left column are left as they are.
void MakePressedCopy(common::ImageId source, common::ImageId copy);

}  // namespace ui
