#pragma once

#include "platform/audio_engine.h"
#include "platform/gui.h"
#include "platform/mci.h"
#include "platform/surface.h"
#include "platform/system.h"

namespace platform {

// The facilities the program runs on. Until something is bound, each is a null object that does
// nothing and answers zero, so core code never checks for absence.
Gui& TheGui();
System& TheSystem();
Surface& TheSurface();
AudioEngine& TheAudioEngine();
Mci& TheMci();

struct Bindings {
    Gui* gui = nullptr;
    System* system = nullptr;
    Surface* surface = nullptr;
    AudioEngine* audio = nullptr;
    Mci* mci = nullptr;
};

// Binds the given facilities; a null pointer puts the null object back.
void Bind(const Bindings& bindings);

}  // namespace platform
