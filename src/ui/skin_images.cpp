#include "ui/skin_images.h"

#include "common/messages.h"
#include "platform/platform.h"

namespace ui {
namespace {

using namespace common;

// A file and its number, with the number its pressed copy goes into (or -1).
struct SkinFile {
    const char* name;
    ImageId id;
    int pressed_copy;
};

// The order is part of how start-up behaves: each missing file's message comes at its place.
constexpr SkinFile kSkinFiles[] = {
    {"skin.jpg", SkinImage, -1},
    {"list.jpg", ListButtonImage, -1},
    {"ajout.jpg", AddImage, AddPressedImage},
    {"retire.jpg", RemoveImage, RemovePressedImage},
    {"play.jpg", PlayImage, PlayPressedImage},
    {"record.jpg", RecordImage, RecordPressedImage},
    {"pause.jpg", PauseImage, PausePressedImage},
    {"stop.jpg", StopImage, StopPressedImage},
    {"oscillo.jpg", SpectrumBarImage, -1},
    {"Coul_text.jpg", TextColourImage, -1},
};

bool LoadSkinFile(const SkinFile& file) {
    if (platform::TheSystem().LoadImage(Skin.SkinFolder + file.name, Skin.Images[file.id]))
        return true;
    ShowError(kErrorTitle, std::string("il manque l'image '") + file.name + "'");
    return false;
}

void MakeCopyOf(ImageId source, ImageId copy) {
    const Image& original = Skin.Images[source];
    Skin.Images[copy] = Image(original.width, original.height, kBlack);
    MakePressedCopy(source, copy);
}

Colour Darkened(Colour colour) { return Rgb(Red(colour) / 2, Green(colour) / 2, Blue(colour) / 2); }

}  // namespace

SkinState Skin;

void ResetSkin() { Skin = SkinState{}; }

const Image* ImageOf(ImageId id) {
    const Image& image = Skin.Images[id];
    return image.Empty() ? nullptr : &image;
}

void LoadSkinImages() {
    for (const SkinFile& file : kSkinFiles) {
        if (!LoadSkinFile(file)) continue;
        if (file.pressed_copy >= 0) MakeCopyOf(file.id, static_cast<ImageId>(file.pressed_copy));
    }
    const Image& sample = Skin.Images[TextColourImage];
    if (sample.Contains(1, 1)) Skin.TextColour = sample.At(1, 1);
}

// Row 0 and column 0 are skipped on purpose: they keep the copy's black, a sunken edge.
void MakePressedCopy(ImageId source, ImageId copy) {
    const Image& original = Skin.Images[source];
    Image& pressed = Skin.Images[copy];
    for (int y = 1; y < original.height && y < pressed.height; ++y) {
        for (int x = 1; x < original.width && x < pressed.width; ++x)
            pressed.Set(x, y, Darkened(original.At(x, y)));
    }
}

}  // namespace ui
